#!/usr/bin/env python3
"""Lists the public methods of the window framework that no program names.

    python3 scripts/framework-uncalled.py [--all]

A public method is a member function declared in a public section of a class
in framework/*.h, or a function exported at namespace scope (PVFX_API);
overloads count once, constructors go by their class's name, operators and
what the framework's macros declare (DECLARE_DYNAMIC and the like) are left
out. It counts as called when its name occurs as a word in the code (comments
and string literals removed) of any folder but framework/ and tests/, or in
framework/winmain.cpp, which every program links: a call,
an override or a handler named in a message map all count, so a virtual
method the framework calls counts once a program overrides it; "::Name"
(the system's function of that name) does not. A framework macro a program
uses names what its body names (RUNTIME_CLASS(C) calls C::GetThisClass).

Prints one line per uncalled method (with --all, every method with its
state), then the totals and the number of lines in framework/*.cpp and
framework/*.h that are neither blank nor only a comment. Exits 0.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP_DIRS = {"framework", "tests", "build", "dist", ".git"}
SOURCE_EXT = (".h", ".cpp", ".c", ".inl")


def strip_code(text):
    """Removes comments, string and character literals (keeps line breaks)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("\n" * text.count("\n", i, end))
            i = end
        elif c in "\"'":
            i += 1
            while i < n and text[i] != c:
                i += 2 if text[i] == "\\" else 1
            i += 1
            out.append('""')
        else:
            out.append(c)
            i += 1
    return "".join(out)


def program_files():
    # framework/winmain.cpp is compiled into every program, not into the DLL.
    yield os.path.join(ROOT, "framework", "winmain.cpp")
    for top in sorted(os.listdir(ROOT)):
        if top in SKIP_DIRS or not os.path.isdir(os.path.join(ROOT, top)):
            continue
        for folder, dirs, files in os.walk(os.path.join(ROOT, top)):
            for name in files:
                if name.endswith(SOURCE_EXT):
                    yield os.path.join(folder, name)


def framework_macros():
    """The words each macro of framework/*.h names in its body, by macro name."""
    macros = {}
    folder = os.path.join(ROOT, "framework")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".h"):
            text = strip_code(open(os.path.join(folder, name), encoding="utf-8").read())
            for m in re.finditer(r"^\s*#\s*define\s+(\w+)((?:.*\\\n)*.*)", text, flags=re.M):
                body = re.sub(r"(?<![\w>])::\s*\w+", " ", m.group(2))
                macros[m.group(1)] = set(re.findall(r"[A-Za-z_]\w*", body))
    return macros


def program_words():
    words = set()
    for path in program_files():
        with open(path, encoding="utf-8", errors="replace") as f:
            # "::Name" alone is the system's function of that name, not a member.
            code = re.sub(r"(?<![\w>])::\s*\w+", " ", strip_code(f.read()))
            words.update(re.findall(r"[A-Za-z_]\w*", code))
    # A macro names what its expansion names, macros within it included.
    macros = framework_macros()
    pending = [w for w in words if w in macros]
    while pending:
        for word in macros[pending.pop()] - words:
            words.add(word)
            if word in macros:
                pending.append(word)
    return words


CLASS_HEAD = re.compile(r"\b(class|struct)\s+(?:PVFX_API\s+)?(\w+)\s*(?:final\s*)?(?::[^{;]*)?$")
ACCESS = re.compile(r"^\s*(public|protected|private)\s*:")
SKIP_WORDS = {"if", "for", "while", "switch", "return", "sizeof", "static_assert", "decltype", "__attribute__",
              "format", "ms_printf", "PASCAL", "AFXAPI", "CALLBACK", "WINAPI", "afx_msg"}


def public_methods(header):
    """(class or '', name) for each public method and exported function."""
    text = strip_code(open(header, encoding="utf-8").read())
    text = re.sub(r"^\s*#.*(?:\\\n.*)*", "", text, flags=re.M)  # preprocessor lines and macro bodies
    text = re.sub(r"^\s*[A-Z_][A-Z_0-9]*\(.*\)\s*$", "", text, flags=re.M)  # DECLARE_DYNAMIC(...) and the like
    found = []
    # Statements end at ';', '{' and '}'; a stack of scopes tells where each
    # one stands (a class scope carries its name and the current access).
    stack = [{"kind": "ns", "name": "", "access": "public"}]
    stmt = ""
    i = 0
    while i < len(text):
        c = text[i]
        if c == "{":
            head = " ".join(stmt.split())
            m = CLASS_HEAD.search(head)
            scope = stack[-1]
            if m:
                kind = m.group(1)
                stack.append({"kind": "class", "name": m.group(2), "access": "private" if kind == "class" else "public"})
            elif head.startswith("namespace") or head.startswith('extern "C"'):
                stack.append({"kind": "ns", "name": "", "access": "public"})
            elif head.startswith("enum") or "=" in head.split("(")[0]:
                stack.append({"kind": "other", "name": "", "access": ""})
            else:
                record(found, scope, head)
                stack.append({"kind": "body", "name": "", "access": ""})
            stmt = ""
        elif c == "}":
            stack.pop()
            stmt = ""
        elif c == ";":
            record(found, stack[-1], " ".join(stmt.split()))
            stmt = ""
        elif c == ":" and stack[-1]["kind"] == "class" and ACCESS.match(stmt + ":") and not text.startswith("::", i):
            stack[-1]["access"] = ACCESS.match(stmt + ":").group(1)
            stmt = ""
        else:
            stmt += c
        i += 1
    return found


def record(found, scope, decl):
    if scope["kind"] == "class":
        if scope["access"] != "public":
            return
    elif scope["kind"] != "ns" or "PVFX_API" not in decl:
        return
    if "(" not in decl or decl.startswith(("typedef", "using", "friend", "static_assert", "return")):
        return
    if re.match(r"^[A-Z_0-9]+\s*\(", decl):  # a macro such as DECLARE_DYNAMIC(...)
        return
    before_paren = decl.split("(")[0]
    if "=" in before_paren:  # a data member with an initialiser
        return
    m = re.search(r"(operator\b.*|~?\w+)\s*$", before_paren)
    if not m or m.group(1) in SKIP_WORDS or m.group(1).startswith("operator"):
        return
    name = m.group(1)
    if name.startswith("~"):
        return
    found.append((scope["name"] if scope["kind"] == "class" else "", name))


def main():
    show_all = "--all" in sys.argv[1:]
    words = program_words()
    methods = []
    folder = os.path.join(ROOT, "framework")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".h") and name != "internal.h":
            for cls, method in public_methods(os.path.join(folder, name)):
                if (name, cls, method) not in methods:
                    methods.append((name, cls, method))
    uncalled = 0
    for header, cls, method in methods:
        called = method in words
        uncalled += not called
        if show_all or not called:
            label = f"{cls}::{method}" if cls else method
            print(f"{'called  ' if called else 'uncalled'} {header}: {label}")
    print(f"{len(methods)} public methods, {uncalled} without a caller outside framework/ and tests/")
    code_lines = 0
    for name in os.listdir(folder):
        if name.endswith((".cpp", ".h")):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                code_lines += sum(1 for line in f if not re.match(r"^\s*(//.*)?$", line))
    print(f"framework/: {code_lines} lines that are neither blank nor a comment")


if __name__ == "__main__":
    main()
