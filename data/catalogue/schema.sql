-- Fixed tables of the catalogue database Lamps.db.
--
-- Column types are written with the names the database layer maps back to its type
-- names (VARCHAR -> varchar, INTEGER -> int, REAL -> float). Texts are VARCHAR, counts
-- and whole numbers INTEGER, measured values REAL. The per-luminaire tables (intensity,
-- coefficients of utilization, floodlight grids) and the one table per standards
-- category are created by the catalogue builder; see README.md.

-- Lamps: type, model, power in W, luminous flux of one lamp in lm (this physical order).
CREATE TABLE [光源] (
    [光源类型] VARCHAR(50) NOT NULL,
    [灯型号] VARCHAR(100) NOT NULL,
    [功率] INTEGER NOT NULL,
    [光通量] INTEGER NOT NULL
);

-- Luminaire types. The loader reads a row of "select *" by position, so the order of
-- the columns is part of the format:
--   0 型号, 7 利用系数表, 8 名称, 9 等光强曲线表 (floodlight grid), 10 配光曲线表,
--   12..15 body shape kind and length, width, height in millimetres,
--   16..19 optical part shape kind and length, width, height (metres, taken as stored).
-- The other columns are reached by name or only documented: 光源 (light-source type),
-- 距高比, 上球效率 and 下球效率 (fractions of the lamp flux; derived by the builder from
-- the intensity table), 位图 (picture file), 说明 (what the type is), 来源 (provenance),
-- 类别 (室内灯具 / 投光灯).
CREATE TABLE [灯具型号] (
    [型号] VARCHAR(100) NOT NULL,
    [光源] VARCHAR(50),
    [距高比] REAL,
    [上球效率] REAL,
    [下球效率] REAL,
    [位图] VARCHAR(100),
    [说明] VARCHAR(255),
    [利用系数表] VARCHAR(64),
    [名称] VARCHAR(100) NOT NULL,
    [等光强曲线表] VARCHAR(64),
    [配光曲线表] VARCHAR(64),
    [类别] VARCHAR(20),
    [几何形状] INTEGER NOT NULL DEFAULT 0,
    [几何长度] REAL NOT NULL DEFAULT 0,
    [几何宽度] REAL NOT NULL DEFAULT 0,
    [几何高度] REAL NOT NULL DEFAULT 0,
    [光学形状] INTEGER NOT NULL DEFAULT 0,
    [光学长度] REAL NOT NULL DEFAULT 0,
    [光学宽度] REAL NOT NULL DEFAULT 0,
    [光学高度] REAL NOT NULL DEFAULT 0,
    [来源] VARCHAR(255)
);

-- Illuminance standards: one row per category, ordered by ID; each category has a table
-- of its own named by 场所.
CREATE TABLE [照度标准] (
    [ID] INTEGER PRIMARY KEY,
    [场所] VARCHAR(64) NOT NULL
);

-- The template of a category table. A new category is a copy of it, rows included.
-- Illuminance in lx, lighting power densities (current and target) in W/m2 with one
-- decimal, unified glare rating with no decimals, colour rendering index, then the
-- reference plane of the illuminance (参考平面及其高度, as the standard prints it) and the
-- uniformity U0 = Emin/Eav (two decimals). An empty power density, glare rating, plane or
-- uniformity means the standard sets none for the place. The last two columns came after
-- the first five: programs read the five by name and the two only where a table has them.
CREATE TABLE [照度标准模板] (
    [ID] INTEGER PRIMARY KEY,
    [场所名称] VARCHAR(100) NOT NULL,
    [照度] INTEGER,
    [现行功率密度] REAL,
    [目标功率密度] REAL,
    [统一眩光] REAL,
    [显色指数] INTEGER,
    [参考平面] VARCHAR(50),
    [照度均匀度] REAL
);

-- The standards the catalogue's values are taken from: what they fill (照度标准: the
-- category tables), the standard's number with its year, and its title.
CREATE TABLE [标准版本] (
    [内容] VARCHAR(50) NOT NULL,
    [标准] VARCHAR(50) NOT NULL,
    [名称] VARCHAR(100)
);

-- Reflectance of materials in per cent; 颜色 "无" is the material without a colour.
CREATE TABLE [物体反射率] (
    [物体] VARCHAR(50) NOT NULL,
    [颜色] VARCHAR(50) NOT NULL,
    [反射率] REAL NOT NULL
);

-- Unit-capacity method: light-distribution classes, unit power P0 by class and room
-- cavity ratio, correction C1 by ceiling reflectance (a fraction), adjustment C2 by lamp
-- type and rated power. Key columns are texts: the program reads them and looks rows
-- up with the texts read.
CREATE TABLE [常用灯具配光分类] (
    [所属类型] VARCHAR(50) NOT NULL,
    [灯具] VARCHAR(100)
);

CREATE TABLE [单位容量P0计算] (
    [类型] VARCHAR(50) NOT NULL,
    [RCR] VARCHAR(20) NOT NULL,
    [40W荧光灯P0] REAL,
    [100W白炽灯P0] REAL
);

CREATE TABLE [单位容量修正系数C1] (
    [顶棚反射比] VARCHAR(20) NOT NULL,
    [修正系数] REAL
);

CREATE TABLE [单位容量调整系数C2] (
    [光源类型] VARCHAR(50) NOT NULL,
    [额定功率] VARCHAR(20) NOT NULL,
    [调整系数C2] REAL
);
