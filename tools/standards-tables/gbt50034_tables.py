#!/usr/bin/env python3
"""Writes the catalogue's illuminance standards from the tables of GB/T 50034-2024.

    gbt50034_tables.py TABLES.json [CATALOGUE_FOLDER]          write the two files
    gbt50034_tables.py --check TABLES.json [CATALOGUE_FOLDER]  exit 1 when the committed
                                                               files differ from a new run

TABLES.json holds the tables of chapters 5 (照明标准值) and 6 (照明功率密度限值) of
GB/T 50034-2024 as extracted from a text copy of the standard: per table a caption, a
header and one record per printed row (main place, sub place, column names, values as
printed). CATALOGUE_FOLDER defaults to data/catalogue beside this tool. The files
written are tables/照度标准.csv (the categories) and standards/场所.csv (their places).
The rules (one category per table, one place per printed value, the power densities
assigned to places) are described in data/catalogue/README.md, section "Illuminance
standards"; every one of them is applied here and nowhere else.
"""

import csv
import io
import json
import re
import sys
from pathlib import Path

EDITION = "GB/T 50034-2024"

# Chapter 5 tables and the categories they fill, in the order of the standard. The
# industrial table 5.4.1 is split by its sections ("1 机电工业" ...), one category each.
CATEGORIES = [
    ("5.2.1", "住宅建筑"),
    ("5.2.2", "居住建筑公共机动车库"),
    ("5.2.3", "宿舍建筑"),
    ("5.2.4", "居住建筑室外公共区域"),
    ("5.3.1", "图书馆建筑"),
    ("5.3.2", "办公建筑"),
    ("5.3.3", "商店建筑"),
    ("5.3.4", "观演建筑"),
    ("5.3.5", "旅馆建筑"),
    ("5.3.6", "医疗建筑"),
    ("5.3.7", "老年人照料设施建筑"),
    ("5.3.8", "教育建筑"),
    ("5.3.9-1", "美术馆建筑"),
    ("5.3.9-2", "科技馆建筑"),
    ("5.3.9-3", "博物馆建筑（陈列室展品）"),
    ("5.3.9-4", "博物馆建筑（其他场所）"),
    ("5.3.10", "会展建筑"),
    ("5.3.11", "交通建筑"),
    ("5.3.12", "金融建筑"),
    ("5.3.13-1", "体育建筑（无电视转播）"),
    ("5.3.13-2", "体育建筑（有电视转播）"),
    ("5.3.14", "公共建筑室外公共区域"),
    ("5.4.1", None),
    ("5.4.2", "工业建筑室外公共区域"),
    ("5.5.1", "通用房间或场所"),
]
INDUSTRY = "工业建筑（{}）"

# The sports tables print three illuminance values per sport, one per class of use;
# the OCR copy carries the class names as a row of their own (skipped as a place).
SPORT_CLASSES = {
    "5.3.13-1": ["健身、业余训练", "业余比赛、专业训练", "专业比赛"],
    "5.3.13-2": ["国家、国际比赛", "重大国家、国际比赛", "HDTV"],
}
# Table 5.3.13-2 prints two Ra columns: the first for both kinds of match, the second
# for HDTV (the header row of the copy names them so).
TV_RA_COLUMN = [0, 0, 1]

# Power-density tables and the categories whose places they set. 现行值 and 目标值 where
# both are printed; tables printing only 目标值 leave the 现行值 (the limit of
# GB 55015-2021) empty.
LPD_TABLES = [
    ("6.3.1", "住宅建筑"),
    ("6.3.2", "居住建筑公共机动车库"),
    ("6.3.3", "宿舍建筑"),
    ("6.3.4", "图书馆建筑"),
    ("6.3.5", "办公建筑"),
    ("6.3.6", "商店建筑"),
    ("6.3.7", "旅馆建筑"),
    ("6.3.8", "医疗建筑"),
    ("6.3.9", "教育建筑"),
    ("6.3.10-1", "美术馆建筑"),
    ("6.3.10-2", "科技馆建筑"),
    ("6.3.10-3", "博物馆建筑（其他场所）"),
    ("6.3.11", "会展建筑"),
    ("6.3.12", "交通建筑"),
    ("6.3.13", "金融建筑"),
    ("6.3.14", None),  # by section, like 5.4.1
    ("6.3.15", "通用房间或场所"),
]
# Rows of the power-density tables that name a place differently from table 5.4.1
# (汽车工业 calls the foundry 铸造工厂 there and lists its shop in full).
LPD_ALIASES = {
    ("汽车工业", "铸造车间"): "铸造工厂",
    ("汽车工业", "清理/造型/制芯工部"): "清理、造型、制芯、砂处理工部",
}

EMPTY = {"", "-", "--", "—", "...", "…"}
CJK = r"[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]"
FULLWIDTH = str.maketrans({",": "，", ":": "：", "(": "（", ")": "）"})

PLACE_HEADER = ["分类", "场所名称", "照度", "现行功率密度", "目标功率密度", "统一眩光", "显色指数",
                "参考平面", "照度均匀度", "#table", "#lpd_table", "#status", "#note"]
CATEGORY_HEADER = ["ID", "场所", "#table", "#caption"]


class Failure(Exception):
    pass


def clean(text):
    """A name as printed: OCR spaces inside Chinese text dropped, punctuation full width."""
    text = re.sub(rf"(?<={CJK})\s+|\s+(?={CJK})", "", text.strip())
    return text.translate(FULLWIDTH)


def parts(name):
    """The items of a listed name ("治疗室、检查室"), split outside parentheses."""
    items, depth, current = [], 0, ""
    for c in name:
        depth += c == "（"
        depth -= c == "）"
        if depth == 0 and c in "、，":
            items.append(current)
            current = ""
        else:
            current += c
    items.append(current)
    return [re.sub(r"（[^）]*）$", "", item) for item in items if item]


def same_name(a, b):
    strip = lambda s: re.sub(r"（[^）]*）$", "", s).replace("、", "").replace("，", "")
    return a == b or strip(a) == strip(b)


def lux_value(text, where):
    """Illuminance as printed: "300", "300*" (mixed lighting), "≤50" (upper limit) or
    "750/500" (two values); the first number is the place's illuminance."""
    match = re.fullmatch(r"(≤)?(\d+)(\*)?(/\d+)?", text.strip())
    if not match:
        raise Failure(f"{where}: illuminance {text!r} is not a number")
    return int(match.group(2)), match.group(1) is not None, match.group(3) is not None, \
        match.group(4) is not None


def optional_int(text, where):
    text = text.strip()
    if text in EMPTY:
        return ""
    if not re.fullmatch(r"\d+", text):
        raise Failure(f"{where}: {text!r} is not a whole number")
    return text


def optional_u0(text, where):
    text = text.strip()
    if text in EMPTY:
        return ""
    if not re.fullmatch(r"0\.\d+|1(\.0+)?", text):
        raise Failure(f"{where}: uniformity {text!r} is not a ratio")
    return f"{float(text):.2f}"


def lpd_value(text, where):
    text = text.strip()
    if text in EMPTY:
        return ""
    match = re.fullmatch(r"≤\s*(\d+(\.\d+)?)", text)
    if not match:
        raise Failure(f"{where}: power density {text!r} is not \"≤ number\"")
    return f"{float(match.group(1)):.1f}"


class Place:
    def __init__(self, category, table, main, sub, name):
        self.category, self.table, self.main, self.sub, self.name = category, table, main, sub, name
        self.lux = ""
        self.mixed = False
        self.current = self.target = self.ugr = self.ra = self.plane = self.u0 = ""
        self.lpd_table = ""
        self.notes = []

    def row(self):
        return [self.category, self.name, self.lux, self.current, self.target, self.ugr, self.ra,
                self.plane, self.u0, self.table, self.lpd_table, "retrieved", "; ".join(self.notes)]


def column(record, name):
    """Index of the first column of the record whose name starts with `name`."""
    for i, col in enumerate(record["cols"]):
        if col.replace(" ", "").startswith(name):
            return i
    return None


def symbol(col):
    """A column name without its unit and with E_{h,min} written as Eh,min."""
    return re.sub(r"_\{([^}]*)\}", r"\1", col.split("(")[0])


def ra_column(record):
    at = column(record, "Ra")
    return at if at is not None else column(record, "R_a")


def base_name(record):
    main, sub = clean(record["main"]), clean(record["sub"])
    return main, sub, main if not sub or sub == main else f"{main} {sub}"


def general_places(category, table, records):
    places = []
    for record in records:
        main, sub, name = base_name(record)
        where = f"{table} {name}"
        vals = record["vals"]
        place = Place(category, table, main, sub, name.rstrip("*"))
        if name.endswith("*"):
            place.notes.append("* 见表注")
        lux_at = column(record, "照度标准值")
        plane_at = column(record, "参考平面")
        average_at = column(record, "平均水平照度")
        if lux_at is None and average_at is not None:
            # Outdoor tables: the average horizontal illuminance is the place's value; the
            # minima are kept in the note. No reference plane is printed.
            lux, _, _, _ = lux_value(vals[average_at], where)
            minima = [f"{symbol(record['cols'][i])} {vals[i]} lx"
                      for i in range(average_at + 1, len(vals))
                      if record["cols"][i].startswith("最小") and vals[i].strip() not in EMPTY]
            place.notes.append("平均水平照度" + ("; " + ", ".join(minima) if minima else ""))
        else:
            lux, upper, mixed, pair = lux_value(vals[lux_at], where)
            if upper:
                place.notes.append(f"照度为上限 {vals[lux_at]}")
            if mixed:
                place.notes.append("混合照明照度 (*)")
            if pair:
                place.notes.append(f"printed {vals[lux_at]}")
            place.mixed = mixed
        place.lux = str(lux)
        if plane_at is not None:
            place.plane = vals[plane_at].strip()
        for label, at in (("UGR", column(record, "UGR")), ("U0", column(record, "U0")),
                          ("Ra", ra_column(record)),
                          ("GR", column(record, "GR")), ("备注", column(record, "备注")),
                          ("年曝光量", column(record, "年曝光量"))):
            if at is None:
                continue
            value = vals[at].strip()
            if label == "UGR":
                place.ugr = optional_int(value, where)
            elif label == "U0":
                place.u0 = optional_u0(value, where)
            elif label == "Ra":
                place.ra = optional_int(value, where)
            elif value not in EMPTY:
                place.notes.append(f"{label} {value}")
        places.append(place)
    return places


def sport_places(category, table, records):
    classes = SPORT_CLASSES[table]
    places = []
    for record in records:
        main, sub, name = base_name(record)
        vals = record["vals"]
        lux_cols = [i for i, col in enumerate(record["cols"]) if col.startswith("照度标准值")]
        ra_cols = [i for i, col in enumerate(record["cols"]) if col.replace("_{a}", "a") == "Ra"]
        gr_cols = [i for i, col in enumerate(record["cols"]) if col.startswith("眩光值")]
        if not re.match(r"[≤\d]", vals[lux_cols[0]].strip()):
            continue  # the row naming the classes of use
        plane = vals[column(record, "参考平面")].strip()
        gr = [vals[i].strip() for i in gr_cols if vals[i].strip() not in EMPTY]
        gr_text = ", ".join(f"{kind} {value}" for kind, value in zip(["训练", "比赛"], gr)) \
            if len(gr) == 2 else "".join(gr)
        for k, label in enumerate(classes):
            where = f"{table} {name} {label}"
            lux, _, _, pair = lux_value(vals[lux_cols[k]], where)
            printed = vals[lux_cols[k]].strip()
            # A cell printing two values ("750/500") keeps both in the name, so that the
            # second one is seen beside the first, which is the place's illuminance.
            place = Place(category, table, main, sub,
                          f"{name} {label}" + (f"（{printed}）" if pair else ""))
            place.lux, place.plane = str(lux), plane
            ra_at = ra_cols[TV_RA_COLUMN[k]] if len(ra_cols) > 1 else ra_cols[0]
            place.ra = optional_int(vals[ra_at], where)
            if gr:
                place.notes.append(f"GR {gr_text} (眩光值, not UGR)")
            places.append(place)
    return places


def sections(records):
    """The records of a table split by its section rows: (section name, records)."""
    current, out = None, []
    for record in records:
        marker = record.get("section")
        if marker is None and not record.get("vals", [""])[0].strip() and \
                re.match(r"\d+\s", record.get("main", "")):
            marker = record["main"]  # a section row printed as a place row
        if marker is not None:
            current = (re.sub(r"^\d+[.\s]*", "", marker).strip(), [])
            out.append(current)
        else:
            current[1].append(record)
    return out


def build_places(tables):
    categories, places = [], []
    for table, category in CATEGORIES:
        records = tables[table]["records"]
        if category is None:
            for section, rows in sections(records):
                name = INDUSTRY.format(section)
                categories.append((name, table, f"{tables[table]['caption']} {section}"))
                places += general_places(name, table, rows)
            continue
        categories.append((category, table, tables[table]["caption"]))
        maker = sport_places if table in SPORT_CLASSES else general_places
        places += maker(category, table, records)
    # Names are unique within a category: a sport printed twice (击剑 on the floor and on
    # a vertical plane) is told apart by its plane.
    seen = {}
    for place in places:
        seen.setdefault((place.category, place.name), []).append(place)
    for (category, name), same in seen.items():
        if len(same) > 1:
            for place in same:
                words = place.name.split(" ")
                place.name = " ".join([words[0] + f"（{place.plane}）"] + words[1:])
    names = [(p.category, p.name) for p in places]
    if len(set(names)) != len(names):
        raise Failure("places named twice: " + ", ".join(
            f"{c} {n}" for c, n in sorted({x for x in names if names.count(x) > 1})))
    return categories, places


def lpd_rows(tables):
    """(category, table, main, sub, current, target) per printed power-density row."""
    rows = []
    for table, category in LPD_TABLES:
        records = tables[table]["records"]
        groups = sections(records) if category is None else [(None, records)]
        for section, rows_of in groups:
            target_category = INDUSTRY.format(section) if category is None else category
            for record in rows_of:
                main, sub = clean(record["main"]), clean(record["sub"])
                if sub == main:
                    sub = ""
                where = f"{table} {main} {sub}"
                cols = record["cols"]
                current = target = ""
                for i, col in enumerate(cols):
                    if col == "现行值":
                        current = lpd_value(record["vals"][i], where)
                    elif col in ("目标值",) or col.startswith("照明功率密度限值的目标值"):
                        target = lpd_value(record["vals"][i], where)
                if section is not None:
                    main = LPD_ALIASES.get((section, main), main)
                    sub = LPD_ALIASES.get((section, sub), sub)
                rows.append((target_category, table, main, sub, current, target))
    return rows


def matches(place, main, sub):
    """Whether a power-density row (main, sub) names the place."""
    if sub:
        main_ok = same_name(place.main, main) or any(
            same_name(p, q) for p in parts(place.main) for q in parts(main))
        return main_ok and place.sub == sub
    if same_name(place.name, main):
        return True
    if place.sub and place.sub != place.main:
        # A row naming only a room sets its general lighting, not the mixed-lighting
        # values of its work places (the 住宅 and 宿舍 tables per room).
        # A row naming the sub-place alone (车道, 车位) sets that place.
        return (same_name(place.main, main) or place.sub == main) and not place.mixed
    return any(same_name(p, q) for p in parts(place.name) for q in parts(main))


def assign_lpd(places, rows, tables_captions):
    by_category = {}
    for place in places:
        by_category.setdefault(place.category, []).append(place)
    for category, table, main, sub, current, target in rows:
        if category not in by_category:
            raise Failure(f"{table}: no category {category}")
        found = [p for p in by_category[category] if matches(p, main, sub)]
        if not found:
            raise Failure(f"{table} {main} {sub}: names no place of {category}")
        for place in found:
            if place.lpd_table:
                raise Failure(f"{table} {main} {sub}: {place.name} already has {place.lpd_table}")
            place.current, place.target = current, target
            place.lpd_table = f"{table} {main}" + (f" {sub}" if sub else "")
            if "每户" in tables_captions.get(table, ""):
                place.notes.append("功率密度为每户限值 (per dwelling)")


def render(header, rows):
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\n")
    writer.writerow(header)
    writer.writerows(rows)
    return out.getvalue()


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    tables = json.loads(Path(args[0]).read_text(encoding="utf-8"))
    folder = Path(args[1]) if len(args) > 1 else Path(__file__).resolve().parents[2] / "data" / "catalogue"
    try:
        categories, places = build_places(tables)
        assign_lpd(places, lpd_rows(tables), {k: v["caption"] for k, v in tables.items()})
    except Failure as failure:
        print(f"gbt50034_tables: {failure}", file=sys.stderr)
        return 1
    files = {
        folder / "tables" / "照度标准.csv": render(
            CATEGORY_HEADER, [[i + 1, n, t, c] for i, (n, t, c) in enumerate(categories)]),
        folder / "standards" / "场所.csv": render(PLACE_HEADER, [p.row() for p in places]),
    }
    if check:
        stale = [str(f) for f, text in files.items()
                 if not f.exists() or f.read_text(encoding="utf-8") != text]
        for f in stale:
            print(f"gbt50034_tables: {f} differs from a new run", file=sys.stderr)
        return 1 if stale else 0
    for f, text in files.items():
        f.write_text(text, encoding="utf-8")
    print(f"{len(categories)} categories, {len(places)} places of {EDITION}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
