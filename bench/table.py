"""Prints bench/run's table from the benchmark programs' JSON output.

usage: table.py RESULTS_FOLDER STORES_FOLDER

Times are the median of the repetitions. CPU time is compared with the goals, as the machine's
cores are shared and a wall time waits for other people's work too; the wall time is shown
beside it. The durable writes are the exception: their work is the disk's flush, which is wall
time only.
"""

import json
import pathlib
import re
import sys

results = pathlib.Path(sys.argv[1])
stores = pathlib.Path(sys.argv[2])

SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
runs = {}
for program in ("store_bench", "screen_bench", "server_bench"):
    path = results / f"{program}.json"
    if not path.exists():
        continue
    for entry in json.loads(path.read_text())["benchmarks"]:
        # Wall-clock benchmarks carry the suffix; the pairing goes by the path alone.
        name = entry.get("run_name", entry["name"]).removesuffix("/real_time")
        aggregate = entry.get("aggregate_name")
        if aggregate not in (None, "median"):
            continue
        if aggregate is None and name in runs:
            continue  # one repetition's run beside its median: the median stands
        runs[name] = entry


class Missing(Exception):
    pass


def ms(name, wall=False):
    entry = runs.get(name)
    if entry is None:
        raise Missing(f"{name} did not run")
    if entry.get("error_occurred"):
        raise Missing(f"{name}: {entry.get('error_message', 'failed')}")
    unit = SCALE[entry.get("time_unit", "ns")]
    return entry["real_time" if wall else "cpu_time"] * unit


def counter(name, key):
    return runs.get(name, {}).get(key)


def text(value):
    if value is None:
        return "-"
    if value >= 100:
        return f"{value:.0f} ms"
    if value >= 1:
        return f"{value:.2f} ms"
    return f"{value * 1000:.1f} us"


rows = []


def row(path, project="-", raw="-", ratio="-", goal="", verdict="", wall="-"):
    rows.append((path, project, raw, ratio, goal, verdict, wall))


def compared(path, key, goal, most_ratio=None, most_ms=None, wall=False, p99_ms=None):
    """A path beside its raw SQLite baseline (key/project against key/raw)."""
    try:
        mine = ms(f"{key}/project", wall)
        base = ms(f"{key}/raw", wall)
    except Missing as missing:
        row(path, goal=goal, verdict=f"FAIL ({missing})")
        return
    ratio = mine / base
    failed = []
    seen = ""
    if most_ratio is not None and ratio > most_ratio:
        failed.append(f"ratio > {most_ratio}")
    if most_ms is not None and mine > most_ms:
        failed.append(f"> {most_ms} ms")
    if p99_ms is not None:
        p99 = counter(f"{key}/project", "p99_us")
        if p99 is None or p99 / 1000 >= p99_ms:
            failed.append(f"p99 {p99 / 1000 if p99 else '?'} ms")
        else:
            seen = f" (p99 {text(p99 / 1000)})"
    matches = counter(f"{key}/project", "rows")
    shown = path + (f" [{matches:.0f} rows]" if matches is not None else "")
    row(shown, text(mine), text(base), f"{ratio:.2f}", goal,
        "pass" + seen if not failed else "FAIL: " + ", ".join(failed),
        text(ms(f"{key}/project", True)))


def alone(path, key, goal, most_ms):
    try:
        mine = ms(key)
    except Missing as missing:
        row(path, goal=goal, verdict=f"FAIL ({missing})")
        return
    row(path, text(mine), "-", "-", goal, "pass" if mine <= most_ms else f"FAIL: > {most_ms} ms",
        text(ms(key, True)))


def scaled(path, key, goal, most=2.0):
    """The same lookup on the 1,000,000-product store against the 10,000-product one."""
    try:
        large = ms(f"{key}/large/project")
        small = ms(f"{key}/small/project")
    except Missing as missing:
        row(path, goal=goal, verdict=f"FAIL ({missing})")
        return
    ratio = large / small
    row(path, text(large), "10k: " + text(small), f"{ratio:.2f}", goal,
        "pass" if ratio <= most else f"FAIL: ratio > {most}", text(ms(f"{key}/large/project", True)))


compared("barcode + Enter -> product, quantity, value, employees", "BarcodeScreen/large",
         "<= 3x raw; p99 < 1 ms", 3, p99_ms=1.0)
compared("scale label (weight) -> same", "ScaleLabelWeight/large", "<= 4x raw", 4)
compared("scale label (price) -> same", "ScaleLabelPrice/large", "<= 4x raw", 4)
compared("store: product by barcode, 1M", "ProductBarcode/large", "<= 3x raw; p99 < 1 ms", 3,
         p99_ms=1.0)
compared("store: product by internal code, 1M", "ProductInternalCode/large", "<= 3x raw", 3)
compared("client by code -> label, animals, grid, totals", "ClientByCode/large", "<= 3x raw; < 5 ms",
         3, 5)
compared("name search: products, 1M", "ProductNameContains/large", "< 5 ms", None, 5)
compared("name search: clients, 100k", "ClientNameSearch/large", "< 5 ms", None, 5)
compared("name search: services", "ServiceNameSearch/large", "< 5 ms", None, 5)
compared("search dialog query (name), 1M", "ProductDialogName/large", "< 5 ms", None, 5)
compared("search dialog query (barcode), 1M", "ProductDialogBarcode/large", "< 5 ms", None, 5)
try:
    scan = ms("ProductNameScan/large/raw")
    indexed = ms("ProductNameContains/large/project")
    row("  (raw scan of every name, no index), 1M", text(indexed), "scan: " + text(scan),
        f"{indexed / scan:.3f}", "for comparison", "-", text(ms("ProductNameScan/large/raw", True)))
except Missing:
    pass
for label, key in (("barcode", "ProductBarcode"), ("internal code", "ProductInternalCode"),
                   ("product name", "ProductNameContains"), ("dialog query", "ProductDialogName"),
                   ("client name", "ClientNameSearch"), ("client by code (screen)", "ClientByCode")):
    scaled(f"1M vs 10k store: {label}", key, "<= 2x")
compared("client with 2,000 open items -> grid, totals", "Client2000Items/items",
         "< 30 ms; <= 3x raw", 3, 30)
compared("Adicionar of a service vs raw durable INSERT (wall)", "AddService/large",
         "<= 1.5x raw", 1.5, wall=True)
alone("totals over 10,000 grid rows", "Totals/10000/project", "< 5 ms", 5)
try:
    ten, hundred = ms("Totals/10000/project"), ms("Totals/100000/project")
    row("totals over 100,000 grid rows", text(hundred), "10k: " + text(ten), f"{hundred / ten:.1f}",
        "<= 11x 10k rows", "pass" if hundred <= 11 * ten else "FAIL: not linear",
        text(ms("Totals/100000/project", True)))
except Missing as missing:
    row("totals over 100,000 grid rows", goal="<= 11x 10k rows", verdict=f"FAIL ({missing})")
compared("search dialog filled", "SearchDialog/large", "< 50 ms", None, 50)
compared("printout of 60 items laid out into pages", "Printout60/small", "< 50 ms", None, 50)

# PostgreSQL: the server's work is another process's, so wall time is what is compared.
skipped = results / "server-skipped.txt"
if skipped.exists():
    row("PostgreSQL rows", goal="<= 3x raw libpq; add <= 1.5x",
        verdict="skipped: " + skipped.read_text().strip().splitlines()[0])
else:
    for label, key in (("barcode", "ProductBarcode"), ("client by code", "ClientByCode"),
                       ("product name contains", "ProductNameContains"),
                       ("search dialog query (name)", "ProductDialogName"),
                       ("client name contains", "ClientNameSearch")):
        compared(f"server: {label}, 100k (wall)", f"{key}/server", "<= 3x raw libpq", 3,
                 wall=True)
    compared("server: Incluir of a service vs raw durable INSERT (wall)", "AddService/server",
             "<= 1.5x raw libpq", 1.5, wall=True)
    generated = results / "server-generate.seconds"
    if generated.exists():
        wall = float(generated.read_text().split()[-3])
        row("kelo-store generate on the server, 100k products / 10k clients (wall)",
            f"{wall:.1f} s", "-", "-", "for comparison", "-", f"{wall:.1f} s")

seconds = stores / "large.kelo.seconds"
if seconds.exists():
    wall, user, system = (float(v) for v in seconds.read_text().split()[-3:])
    cpu = user + system
    row("kelo-store generate 1M products / 100k clients", f"{cpu:.1f} s", "-", "-", "< 60 s",
        "pass" if cpu < 60 else "FAIL: >= 60 s", f"{wall:.1f} s")

desktop = results / "desktop.txt"
if desktop.exists() and desktop.read_text().strip():
    log = desktop.read_text()
    starts = [int(m) for m in re.findall(r"janela de entrada aberta em (\d+) ms", log)]
    memory = re.findall(r"screen [\d.]+ s (\d+) KB", log)
    if starts:
        best = min(starts)
        row("desktop start to the login window, Xvfb (wall)", f"{best} ms", "-", "-", "< 1 s",
            "pass" if best < 1000 else "FAIL: >= 1 s", f"{best} ms")
    if memory:
        mb = int(memory[-1]) / 1024
        row("resident memory, pre-sale screen open", f"{mb:.0f} MB", "-", "-", "< 150 MB",
            "pass" if mb < 150 else "FAIL: >= 150 MB")
else:
    row("desktop start / memory under Xvfb", goal="< 1 s; < 150 MB",
        verdict="not measured (no kelo-prevendas or no Xvfb)")

header = ("path", "this project", "raw SQLite", "ratio", "goal", "pass/fail", "wall")
widths = [max(len(str(r[k])) for r in rows + [header]) for k in range(len(header))]
print("CPU time, median of the repetitions (wall time beside it; the machine is shared, so wall")
print("times are noisy). The headless clock makes Pausar and the dialogs' one-second pause cost")
print("nothing in the screen paths. 1M = 1,000,000 products / 100,000 clients; 10k = 10,000")
print("products / 2,000 clients; the 2,000-item client is in a 3-client store.")
print()
for r in [header] + rows:
    print("  ".join(str(cell).ljust(width) for cell, width in zip(r, widths)).rstrip())
failed = [r for r in rows if r[5].startswith("FAIL")]
print()
print(f"{len(rows)} rows, {len(failed)} failed")
