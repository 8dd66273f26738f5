#!/usr/bin/python3
"""Reads the file managers' actions installed under PREFIX as Dolphin and Nemo read them, which
Debian has no validator for: each a key file of groups and keys, no key twice, the keys each file
manager requires, and an action that starts the installed program on the one file chosen.

    check_file_manager_actions.py PREFIX"""

import configparser
import os
import shlex
import sys

prefix = sys.argv[1]


def fail(message):
    sys.exit(f"check_file_manager_actions: {message}")


def key_file(path):
    if not os.path.isfile(path):
        fail(f"no {path}")
    parser = configparser.ConfigParser(interpolation=None, strict=True, delimiters=("=",))
    parser.optionxform = str  # keys are case-sensitive
    try:
        with open(path, encoding="utf-8") as text:
            parser.read_file(text)
    except (configparser.Error, UnicodeDecodeError) as error:
        fail(f"{path} is not a valid key file: {error}")
    return parser


def require(group, keys, path):
    for key in keys:
        if not group.get(key, "").strip():
            fail(f"{path}: [{group.name}] has no {key}")


def check_command(command, token, path):
    words = shlex.split(command)
    if not os.access(os.path.join(prefix, "bin", words[0]), os.X_OK):
        fail(f"{path}: {words[0]} is not an installed program")
    if words[1:] != [token]:
        fail(f"{path}: the program is not given the one file chosen ({token}), but {words[1:]}")


def check_icon(name, path):
    if not os.path.isfile(os.path.join(prefix, "share/icons/hicolor/scalable/apps", name + ".svg")):
        fail(f"{path}: no icon named {name}")


dolphin = os.path.join(prefix, "share/kio/servicemenus/orvelin-file-encryptor.desktop")
menu = key_file(dolphin)
if not os.access(dolphin, os.X_OK):
    fail(f"{dolphin} is not executable, and KDE 6 runs no service menu that is not")
entry = menu["Desktop Entry"] if menu.has_section("Desktop Entry") else fail(f"{dolphin}: no [Desktop Entry]")
require(entry, ["Type", "MimeType", "Actions"], dolphin)
if entry["Type"] != "Service" or "all/allfiles" not in entry["MimeType"].split(";"):
    fail(f"{dolphin}: not a service menu for every file")
for action in filter(None, entry["Actions"].split(";")):
    group = f"Desktop Action {action}"
    if not menu.has_section(group):
        fail(f"{dolphin}: action {action} has no [{group}]")
    require(menu[group], ["Name", "Exec", "Icon"], dolphin)
    check_command(menu[group]["Exec"], "%f", dolphin)
    check_icon(menu[group]["Icon"], dolphin)

nemo = os.path.join(prefix, "share/nemo/actions/orvelin-file-encryptor.nemo_action")
action_file = key_file(nemo)
action = action_file["Nemo Action"] if action_file.has_section("Nemo Action") else fail(f"{nemo}: no [Nemo Action]")
require(action, ["Name", "Exec", "Selection", "Icon-Name"], nemo)
if action["Selection"] != "s" or "nodirs" not in action.get("Extensions", "").split(";"):
    fail(f"{nemo}: not offered on one file, and on files only")
check_command(action["Exec"], "%F", nemo)
check_icon(action["Icon-Name"], nemo)
print("check_file_manager_actions: Dolphin's and Nemo's actions read well")
