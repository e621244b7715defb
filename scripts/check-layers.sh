#!/usr/bin/env bash
# Checks the include structure of the tree and names every include that breaks it (file:line):
# - a host area includes only its own area and the areas below it
#   (core, db, notify, cmd, res, image, text, layout, compose, render, ui, app), and no plug-in header;
# - a plug-in includes the host, its own sources and the public headers kesto/include/ and sorvia/include/;
#   a UI plug-in may also include its own model plug-in;
# - inside Kesto, each subsystem includes only those below it: streams and the public include/ at the bottom,
#   then model, layout, the reader and the writer (side by side: neither includes the other), services on top;
# - pagehost (app/) loads the plug-ins and includes none of their headers.
# Exit status: 0 when the tree keeps to these rules, 1 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PYTHON'
import os
import re
import sys

LAYERS = ["core", "db", "notify", "cmd", "res", "image", "text", "layout", "compose", "render", "ui", "app"]
PLUG_INS = ["kesto", "kesto-ui", "sorvia", "sorvia-ui"]
PUBLIC = {"kesto": "kesto/include/", "sorvia": "sorvia/include/"}
MODEL_OF = {"kesto-ui": "kesto", "sorvia-ui": "sorvia"}
TOPS = ["host", "app"] + PLUG_INS
SOURCE = (".h", ".hpp", ".cpp", ".cc", ".inc")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def owner(path):
    """(top folder, host area or None) of a path inside the tree."""
    parts = path.split("/")
    if parts[0] == "host" and len(parts) > 2:
        return "host", parts[1]
    return parts[0], None


def resolve(included, including):
    """The tree path an include names, or None for a system header."""
    if included.split("/")[0] in TOPS:
        return included
    local = os.path.normpath(os.path.join(os.path.dirname(including), included))
    return local if os.path.isfile(local) and local.split("/")[0] in TOPS else None


def host_rule(area, target):
    top, target_area = owner(target)
    if top in PLUG_INS:
        return "the host includes plug-in header " + target
    if top == "app":
        return "the host includes pagehost's " + target
    if top == "host" and target_area is not None:
        if target_area not in LAYERS:
            return "includes %s of unknown host area '%s'" % (target, target_area)
        if area in LAYERS and LAYERS.index(target_area) > LAYERS.index(area):
            return "host area '%s' includes higher area '%s': %s" % (area, target_area, target)
    return None


# What each Kesto subsystem may include besides its own folder.
KESTO_BELOW = {
    "include": [],
    "streams": ["include"],
    "model": ["include"],
    "layout": ["include", "model"],
    "reader": ["include", "streams", "model", "layout"],
    "writer": ["include", "streams", "model", "layout"],
    "services": ["include", "streams", "model", "layout", "reader", "writer"],
}


def kesto_rule(path, target):
    parts, target_parts = path.split("/"), target.split("/")
    if len(parts) < 3 or len(target_parts) < 3 or target_parts[0] != "kesto":
        return None
    here, there = parts[1], target_parts[1]
    if here not in KESTO_BELOW:
        return "file of unknown Kesto subsystem '%s'" % here
    if there == here or there in KESTO_BELOW[here]:
        return None
    return "Kesto's %s includes %s, which is not below it: %s" % (here, there, target)


def plug_in_rule(plug_in, target):
    top, _ = owner(target)
    if top == "app":
        return "plug-in %s includes pagehost's %s" % (plug_in, target)
    if top not in PLUG_INS or top == plug_in or MODEL_OF.get(plug_in) == top:
        return None
    if top in PUBLIC and target.startswith(PUBLIC[top]):
        return None
    return "plug-in %s includes %s's sources: %s (only %s are public)" % (
        plug_in, top, target, " and ".join(PUBLIC.values()))


def rule_for(path, target):
    top, area = owner(path)
    if top == "host":
        if area not in LAYERS:
            return "file of unknown host area '%s'" % area
        return host_rule(area, target)
    if top == "kesto":
        return plug_in_rule(top, target) or kesto_rule(path, target)
    if top in PLUG_INS:
        return plug_in_rule(top, target)
    if top == "app" and owner(target)[0] in PLUG_INS:
        return "pagehost includes plug-in header " + target
    return None


def sources():
    for top in TOPS:
        for folder, _, files in os.walk(top):
            for name in sorted(files):
                if name.endswith(SOURCE):
                    yield os.path.join(folder, name)


def main():
    broken = 0
    for path in sorted(sources()):
        with open(path, encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                target = match and resolve(match.group(1), path)
                problem = target and rule_for(path, target)
                if problem:
                    print("%s:%d: %s" % (path, number, problem))
                    broken += 1
    if broken:
        print("check-layers: %d include%s break the layering" % (broken, "" if broken == 1 else "s"),
              file=sys.stderr)
    return 1 if broken else 0


sys.exit(main())
PYTHON
