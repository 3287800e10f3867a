-- Run after every table is loaded.

-- The template of a new standards category: the general rooms and places that the
-- standard lists for every kind of building (category 通用房间或场所), so that a new
-- category starts with them.
INSERT INTO [照度标准模板] ([场所名称], [照度], [现行功率密度], [目标功率密度], [统一眩光], [显色指数],
                         [参考平面], [照度均匀度])
    SELECT [场所名称], [照度], [现行功率密度], [目标功率密度], [统一眩光], [显色指数], [参考平面],
           [照度均匀度]
    FROM [通用房间或场所] ORDER BY [ID];
