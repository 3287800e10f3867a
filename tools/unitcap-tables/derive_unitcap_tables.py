#!/usr/bin/env python3
"""Derives the catalogue's unit-capacity tables from its photometry and lamp data.

    derive_unitcap_tables.py [CATALOGUE_FOLDER]          write the four tables
    derive_unitcap_tables.py --check [CATALOGUE_FOLDER]  exit 1 when the committed
                                                         tables differ from a new run

CATALOGUE_FOLDER defaults to data/catalogue beside this tool. The tables written are
tables/常用灯具配光分类.csv, tables/单位容量P0计算.csv, tables/单位容量修正系数C1.csv and
tables/单位容量调整系数C2.csv. The method is described in data/catalogue/README.md
(section "Unit-capacity tables"); in short:

  U(RCR, class)  utilization of a square room (ceiling 70 %, walls 50 %, floor 20 %)
                 lit by luminaires of efficiency 70 % spread evenly over the ceiling:
                 the class's downward share goes to the floor (direct ratio from the
                 representative curves) and the walls, its upward share to the ceiling;
                 inter-reflection of the three surfaces with exact form factors.
  P0             1 / (η_ref · U · K) with K = 0.7, η_ref = 60 lm/W for the 40 W
                 fluorescent column and the 100 W incandescent lamp's efficacy for the
                 other.
  C1(ρc)         mean over classes and RCR keys of U(70 %) / U(ρc).
  C2(type, W)    η_ref / η_lamp for the lamp family and rated power.

The semi-direct class's downward share is fitted inside its class range so that the
worked example's P0 = 0.0565 at RCR 4.167 comes out; η_ref of the fluorescent column
follows from the worked example's C2 = 0.675 for its T8 36 W lamp of 3200 lm.
"""

import csv
import io
import math
import statistics
import sys
from pathlib import Path

MAINTENANCE_FACTOR = 0.7
LUMINAIRE_EFFICIENCY = 0.7  # the tables hold P0 for a luminaire efficiency of 70 %
RHO_CEILING = 0.70
RHO_WALL = 0.50
RHO_FLOOR = 0.20
RCR_KEYS = list(range(1, 11))
CEILING_KEYS = [0.8, 0.7, 0.5, 0.3, 0.1]

# Worked example (exam text S2, 例题13-35): semi-direct class, RCR 4.167, P0 = 0.0565 in
# the 40 W fluorescent column; C2 = 0.675 for its T8 36 W lamp of 3200 lm.
ANCHOR_CLASS = "半直接型"
ANCHOR_RCR = 4.167
ANCHOR_P0 = 0.0565
ANCHOR_C2 = 0.675
ANCHOR_LAMP = ("T8荧光灯", 36, "T8 36W (例题13-35)")
# The downward shares searched for the fitted class: its range (60-90 %) widened below,
# since the worked example's value needs a share just under 60 %.
FIT_RANGE = (0.5, 0.9)

# Distribution classes: name, downward share of the luminaire's flux (the CIE class
# range's midpoint, or None when fitted to the anchor), the curves whose mean direct
# ratio the class uses, and the text of the class list.
NARROW_DIRECT = ["配光_阅读灯_窄配光", "配光_展柜点光源_12W"]
WIDE_DIRECT = ["配光_金卤工矿灯_400W", "配光_嵌入式格栅荧光灯_2x36W", "配光_宽配光灯具"]
OPEN_BATTEN = ["配光_双管荧光灯_2x36W"]
CLASSES = [
    ("直接型9", 0.95, NARROW_DIRECT, (0.9, 1.0)),
    ("直接型13", 0.95, WIDE_DIRECT, (0.9, 1.0)),
    ("半直接型", None, OPEN_BATTEN, (0.6, 0.9)),
    ("均匀漫射型", 0.50, OPEN_BATTEN, (0.4, 0.6)),
    ("半间接型", 0.25, OPEN_BATTEN, (0.1, 0.4)),
    ("间接型", 0.05, OPEN_BATTEN, (0.0, 0.1)),
]

# Lamp families of the C2 table in the order the calculation searches them (a family
# whose name holds another's comes first). None pools the linear fluorescent families.
C2_FAMILIES = [
    ("T5荧光灯", ["T5荧光灯"]),
    ("T8荧光灯", ["T8荧光灯"]),
    ("T12荧光灯", ["T12荧光灯"]),
    ("紧凑型荧光灯", ["紧凑型荧光灯"]),
    ("荧光灯", ["T5荧光灯", "T8荧光灯", "T12荧光灯", "荧光灯"]),
    ("荧光高压汞灯", ["荧光高压汞灯"]),
    ("金属卤化物灯", ["金属卤化物灯"]),
    ("高压钠灯", ["高压钠灯"]),
    ("白炽灯", ["白炽灯"]),
]
INCANDESCENT = "白炽灯"
MAINS_MARK = "230V"  # incandescent rows rated for the mains the program's users have


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


# ---- photometry -------------------------------------------------------------------


def read_curve(folder, table):
    """The mean of the two planes of an intensity table, (angle, intensity) pairs."""
    index = {row["表名"]: row["文件"] for row in read_csv(folder / "photometry" / "index.csv")}
    rows = read_csv(folder / "photometry" / index[table])
    return [(float(r["角度"]), (float(r["光强A"]) + float(r["光强B"])) / 2.0) for r in rows]


def intensity(curve, theta):
    """Linear between the tabulated angles, the first value before the first angle and
    0 beyond the last one."""
    if theta <= curve[0][0]:
        return curve[0][1]
    for (a0, i0), (a1, i1) in zip(curve, curve[1:]):
        if theta <= a1:
            return i0 + (i1 - i0) * (theta - a0) / (a1 - a0)
    return 0.0


THETA_STEPS = 180
PHI_STEPS = 90


def direct_ratio(curve, rcr):
    """The share of a luminaire's downward flux that reaches the floor directly in a
    square room (side 1, height RCR/10) with the luminaires spread evenly over the
    ceiling: a ray leaving at (θ, φ) lands at the offset r(cos φ, sin φ), r = h·tan θ,
    inside the floor for the share (1 - |r cos φ|)(1 - |r sin φ|) of the positions."""
    h = rcr / 10.0
    down = 0.0
    landed = 0.0
    d_theta = 90.0 / THETA_STEPS
    for k in range(THETA_STEPS):
        theta = (k + 0.5) * d_theta
        t = math.radians(theta)
        flux = intensity(curve, theta) * math.sin(t)
        down += flux
        r = h * math.tan(t)
        if r >= math.sqrt(2.0):
            continue
        inside = 0.0
        for j in range(PHI_STEPS):
            phi = (j + 0.5) * (math.pi / 2.0) / PHI_STEPS
            inside += max(0.0, 1.0 - r * math.cos(phi)) * max(0.0, 1.0 - r * math.sin(phi))
        landed += flux * inside / PHI_STEPS
    return landed / down


def mean_direct_ratio(curves, rcr):
    return sum(direct_ratio(c, rcr) for c in curves) / len(curves)


# ---- room inter-reflection ----------------------------------------------------------


def parallel_squares(x):
    """Form factor between two directly opposed parallel squares, side over distance x."""
    y = x
    a = math.log(math.sqrt((1 + x * x) * (1 + y * y) / (1 + x * x + y * y)))
    b = x * math.sqrt(1 + y * y) * math.atan(x / math.sqrt(1 + y * y))
    c = y * math.sqrt(1 + x * x) * math.atan(y / math.sqrt(1 + x * x))
    d = x * math.atan(x) + y * math.atan(y)
    return 2.0 / (math.pi * x * y) * (a + b + c - d)


def utilization(rcr, down_share, dr, rho_c=RHO_CEILING, rho_w=RHO_WALL, rho_f=RHO_FLOOR):
    """Flux reaching the floor per lamp lumen: the first flux on ceiling, walls and floor
    plus the inter-reflections, Φ_i = Φ_i0 + Σ_j ρ_j F_ji Φ_j, solved exactly."""
    f_fc = parallel_squares(10.0 / rcr)
    f_fw = 1.0 - f_fc
    wall_over_floor = 0.4 * rcr  # RCR = 2.5 · wall area / floor area
    f_wf = f_fw / wall_over_floor
    f_ww = 1.0 - 2.0 * f_wf
    # surfaces: 0 ceiling, 1 walls, 2 floor; f[i][j] = form factor from i to j
    f = [[0.0, f_fw, f_fc], [f_wf, f_ww, f_wf], [f_fc, f_fw, 0.0]]
    rho = [rho_c, rho_w, rho_f]
    first = [
        LUMINAIRE_EFFICIENCY * (1.0 - down_share),
        LUMINAIRE_EFFICIENCY * down_share * (1.0 - dr),
        LUMINAIRE_EFFICIENCY * down_share * dr,
    ]
    # (I - Mᵀ) Φ = Φ0 with M[j][i] = ρ_j F_ji: Gaussian elimination on three unknowns
    m = [[(1.0 if i == j else 0.0) - rho[j] * f[j][i] for j in range(3)] + [first[i]]
         for i in range(3)]
    for col in range(3):
        pivot = m[col][col]
        for row in range(3):
            if row != col:
                factor = m[row][col] / pivot
                m[row] = [a - factor * b for a, b in zip(m[row], m[col])]
    return m[2][3] / m[2][2]


# ---- lamps --------------------------------------------------------------------------


def lamp_rows(folder):
    rows = []
    for r in read_csv(folder / "tables" / "光源.csv"):
        rows.append((r["光源类型"], r["灯型号"], float(r["功率"]), float(r["光通量"])))
    return rows


def family_flux(rows, members, power):
    """The rated flux of a family at a power: the worked example's lamp where the anchor
    names it, else the median of the catalogue's rows (incandescent: 230 V rows only)."""
    if ANCHOR_LAMP[0] in members and power == ANCHOR_LAMP[1] and members == [ANCHOR_LAMP[0]]:
        return next(flux for t, m, p, flux in rows if t == ANCHOR_LAMP[0] and m == ANCHOR_LAMP[2])
    fluxes = [flux for t, m, p, flux in rows
              if t in members and p == power and (t != INCANDESCENT or MAINS_MARK in m)]
    return statistics.median(fluxes) if fluxes else None


def number_text(value):
    return f"{value:g}"


# ---- tables -------------------------------------------------------------------------


def derive(folder):
    curves = {name: read_curve(folder, name) for _, _, names, _ in CLASSES for name in names}
    lamps = lamp_rows(folder)

    anchor_flux = family_flux(lamps, [ANCHOR_LAMP[0]], ANCHOR_LAMP[1])
    reference_fluorescent = ANCHOR_C2 * anchor_flux / ANCHOR_LAMP[1]  # lm/W of the 40 W lamp
    reference_incandescent = family_flux(lamps, [INCANDESCENT], 100.0) / 100.0

    dr = {}
    for name, _, names, _ in CLASSES:
        for rcr in RCR_KEYS:
            dr[(name, rcr)] = mean_direct_ratio([curves[n] for n in names], rcr)

    def p0(u, efficacy):
        return 1.0 / (efficacy * u * MAINTENANCE_FACTOR)

    def p0_fluorescent(name, share, rcr):
        return round(p0(utilization(rcr, share, dr[(name, rcr)]), reference_fluorescent), 4)

    def anchor_p0(share):
        lo, hi = math.floor(ANCHOR_RCR), math.ceil(ANCHOR_RCR)
        p_lo = p0_fluorescent(ANCHOR_CLASS, share, lo)
        p_hi = p0_fluorescent(ANCHOR_CLASS, share, hi)
        return (p_hi - p_lo) / (hi - lo) * (ANCHOR_RCR - lo) + p_lo

    # The fitted class: the downward share within the class range whose interpolated P0
    # at the anchor RCR is the worked example's (bisection; P0 falls as the share rises).
    lo, hi = FIT_RANGE
    if not (anchor_p0(hi) <= ANCHOR_P0 <= anchor_p0(lo)):
        sys.exit("derive_unitcap_tables: the worked example's P0 lies outside the class range")
    for _ in range(60):
        mid = (lo + hi) / 2.0
        if anchor_p0(mid) > ANCHOR_P0:
            lo = mid
        else:
            hi = mid
    shares = {name: (share if share is not None else round((lo + hi) / 2.0, 4))
              for name, share, _, _ in CLASSES}

    classes_csv = [["所属类型", "灯具", "#status", "#source", "#note"]]
    for name, _, names, (low, high) in CLASSES:
        members = ", ".join(n.removeprefix("配光_") for n in names)
        classes_csv.append([
            name, f"下射光通 {low:.0%}–{high:.0%} 的灯具", "derived", "",
            f"downward share used {shares[name]:.4g}; direct ratio from the curves {members}"])
    classes_csv.append(["半直接型", "简式荧光灯 (T8 单管吊链)", "retrieved", "S2",
                        "例题13-35 classes this luminaire as 半直接型配光"])

    p0_csv = [["类型", "RCR", "40W荧光灯P0", "100W白炽灯P0", "#status", "#source", "#note"]]
    for name, _, _, _ in CLASSES:
        for rcr in RCR_KEYS:
            u = utilization(rcr, shares[name], dr[(name, rcr)])
            p0_csv.append([
                name, number_text(rcr), f"{p0(u, reference_fluorescent):.4f}",
                f"{p0(u, reference_incandescent):.4f}", "derived", "",
                f"U = {u:.4f} (direct ratio {dr[(name, rcr)]:.4f}) at 70/50/20, K = 0.7, "
                f"luminaire efficiency 70 %"])

    c1_csv = [["顶棚反射比", "修正系数", "#status", "#source", "#note"]]
    for rho_c in CEILING_KEYS:
        ratios = []
        for name, _, _, _ in CLASSES:
            for rcr in RCR_KEYS:
                d = dr[(name, rcr)]
                ratios.append(utilization(rcr, shares[name], d) /
                              utilization(rcr, shares[name], d, rho_c=rho_c))
        c1_csv.append([number_text(rho_c), f"{statistics.mean(ratios):.3f}", "derived", "",
                       f"mean of U(ceiling 70 %) / U(ceiling {rho_c * 100:.0f} %) over the classes and "
                       f"RCR 1-10, walls 50 %, floor 20 %"])

    c2_csv = [["光源类型", "额定功率", "调整系数C2", "#status", "#source", "#note"]]
    for family, members in C2_FAMILIES:
        powers = sorted({p for t, m, p, flux in lamps if t in members and
                         (t != INCANDESCENT or MAINS_MARK in m)})
        for power in powers:
            flux = family_flux(lamps, members, power)
            efficacy = flux / power
            if family == INCANDESCENT:
                reference, against = reference_incandescent, "the 100 W incandescent lamp"
            else:
                reference, against = reference_fluorescent, "the 40 W fluorescent lamp"
            c2_csv.append([family, number_text(power), f"{reference / efficacy:.3f}", "derived",
                           "", f"{flux:g} lm / {power:g} W = {efficacy:.2f} lm/W against "
                           f"{reference:.2f} lm/W of {against}"])
    return {
        "常用灯具配光分类.csv": classes_csv,
        "单位容量P0计算.csv": p0_csv,
        "单位容量修正系数C1.csv": c1_csv,
        "单位容量调整系数C2.csv": c2_csv,
    }


def csv_text(rows):
    out = io.StringIO()
    csv.writer(out, lineterminator="\n").writerows(rows)
    return out.getvalue()


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    folder = Path(args[0]) if args else Path(__file__).resolve().parents[2] / "data" / "catalogue"
    tables = derive(folder)
    differing = []
    for name, rows in tables.items():
        path = folder / "tables" / name
        text = csv_text(rows)
        if check:
            if not path.exists() or path.read_text(encoding="utf-8") != text:
                differing.append(name)
        else:
            path.write_text(text, encoding="utf-8")
    if differing:
        print("derive_unitcap_tables: not as derived: " + ", ".join(differing), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
