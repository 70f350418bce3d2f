#!/usr/bin/env python3
"""Checks a PurvexScan.exe report against the schema the README documents.

    check_report.py README.md report.json

The README's example (its first ```json block) and the report must both hold
exactly the documented fields with the documented kinds of values."""
import json
import re
import sys

OUTCOMES = {"found", "removed", "removedAtRestart", "failed", "refused"}
KINDS = {"file", "folder", "key", "value", "other"}
STAMP = re.compile(r"^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}$")


def is_int(v):
    return isinstance(v, int) and not isinstance(v, bool)


def text_or_null(v):
    return v is None or isinstance(v, str)


def ids(v):
    return isinstance(v, list) and all(is_int(i) for i in v)


ITEM = {
    "type": lambda v: v in KINDS,
    "typeCode": lambda v: is_int(v) and 0 <= v <= 255,
    "place": lambda v: isinstance(v, str),
    "valueName": text_or_null,
    "view": lambda v: v in (None, "32", "64"),
    "outcome": lambda v: v in OUTCOMES,
}
COUNTS = ["records", "items", "removed", "removedAtRestart", "failed", "refused", "left"]
TOP = {
    "schemaVersion": lambda v: v == 1,
    "program": lambda v: v == "PurvexScan",
    "programVersion": lambda v: isinstance(v, str),
    "databaseVersion": lambda v: isinstance(v, str),
    "databaseRecords": is_int,
    "mode": lambda v: v in ("scan", "cure"),
    "started": lambda v: isinstance(v, str) and STAMP.match(v),
    "ended": lambda v: isinstance(v, str) and STAMP.match(v),
    "only": lambda v: v is None or ids(v),
    "excluded": ids,
    "records": lambda v: isinstance(v, list),
    "counts": lambda v: isinstance(v, dict) and sorted(v) == sorted(COUNTS) and all(is_int(v[k]) for k in COUNTS),
    "browserReset": lambda v: isinstance(v, bool),
    "restartNeeded": lambda v: isinstance(v, bool),
    "logFolder": text_or_null,
    "backupFolder": text_or_null,
    "error": text_or_null,
    "exitCode": lambda v: v in (0, 1, 2, 3, 4),
}
RECORD = {
    "id": is_int,
    "name": lambda v: isinstance(v, str),
    "cured": lambda v: isinstance(v, bool),
    "items": lambda v: isinstance(v, list) and len(v) > 0,
}


def check_fields(what, obj, schema):
    errors = []
    if not isinstance(obj, dict):
        return [f"{what}: not an object"]
    if list(obj) != list(schema):
        errors.append(f"{what}: fields {list(obj)}, documented {list(schema)}")
    for name, valid in schema.items():
        if name in obj and not valid(obj[name]):
            errors.append(f"{what}.{name}: {obj[name]!r} is not what the schema allows")
    return errors


def check_report(what, report):
    errors = check_fields(what, report, TOP)
    if errors:
        return errors
    outcomes = []
    for r, record in enumerate(report["records"]):
        errors += check_fields(f"{what}.records[{r}]", record, RECORD)
        for i, item in enumerate(record.get("items", [])):
            errors += check_fields(f"{what}.records[{r}].items[{i}]", item, ITEM)
            outcomes.append(item.get("outcome"))
    counts = report["counts"]
    expected = {
        "records": len(report["records"]),
        "items": len(outcomes),
        "removed": outcomes.count("removed"),
        "removedAtRestart": outcomes.count("removedAtRestart"),
        "failed": outcomes.count("failed"),
        "refused": outcomes.count("refused"),
        "left": outcomes.count("found") + outcomes.count("failed") + outcomes.count("refused"),
    }
    if counts != expected:
        errors.append(f"{what}.counts: {counts}, the items say {expected}")
    if report["restartNeeded"] != (counts["removedAtRestart"] > 0):
        errors.append(f"{what}.restartNeeded disagrees with the counts")
    return errors


def main():
    readme, report_path = sys.argv[1], sys.argv[2]
    with open(readme, encoding="utf-8") as f:
        match = re.search(r"```json\n(.*?)```", f.read(), re.S)
    if not match:
        print(f"{readme}: no ```json example")
        return 1
    with open(report_path, "rb") as f:
        raw = f.read()
    errors = check_report("README example", json.loads(match.group(1)))
    errors += check_report(report_path, json.loads(raw.decode("utf-8")))
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
