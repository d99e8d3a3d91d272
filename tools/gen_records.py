#!/usr/bin/env python3
"""Generates the record modules from the vendor's headers in use.

    gen_records.py HEADER_DIR OUT_DIR

reads HEADER_DIR/ThostFtdcUserApiDataType.h and HEADER_DIR/ThostFtdcUserApiStruct.h and
writes OUT_DIR/ApiStruct.py (one BaseField class per CThostFtdc...Field struct, with the
struct's layout) and OUT_DIR/ApiConst.py (the vendor's codes).

The same code reads our headers and the vendor's, which are GB18030 with CRLF line ends and
hold much more than typedefs, defines and structs: anything else outside a struct is passed
over. Inside a struct nothing is passed over, since a skipped member would shift the layout,
and a code or a typedef that cannot be read is an error too: a module with a code missing or
a record shifted is worse than no module.

ApiConst holds the vendor's codes, `#define THOST_FTDC_D_Buy '0'` before
`typedef char TThostFtdcDirectionType;` giving `Direction_Buy = b'0'`, multi-character codes
(`VirementTradeCode_BankBankToFuture = b'102001'`) included, and the members of the header's
enums (THOST_TERT_RESTART = 0, ...). A code is named after its typedef and its own name after
the prefix that all codes of that typedef share (THOST_FTDC_APP_TYPE_Investor gives
AppType_Investor); the only code of a typedef keeps what follows THOST_FTDC_ and its first
part (THOST_FTDC_BOOL_True would give Bool_True).
"""
import ast
import os
import re
import sys
import tempfile
from pathlib import Path

DATATYPE_HEADER = "ThostFtdcUserApiDataType.h"
STRUCT_HEADER = "ThostFtdcUserApiStruct.h"
# The vendor's headers are GB18030; a UTF-8 copy of them is read as UTF-8, so that its
# comments come out right too.
ENCODINGS = ("utf-8", "gb18030")

# The vendor's flags are a plain char; c_char * 1 has the same size and alignment and reads
# back as b'' when unset (see Quorvan.utils.base_field).
FLAG_CTYPE = "c_char * 1"
SCALAR_CTYPES = {"int": "c_int", "short": "c_short", "double": "c_double"}

COMMENT = re.compile(r"^\s*///(.*)$")
# A quoted value marks a code; other THOST_FTDC_ defines (sizes, flags) are no codes.
CODE_DEFINE_START = re.compile(r"^\s*#\s*define\s+THOST_FTDC_\w+\s+'")
CODE_DEFINE = re.compile(r"^\s*#\s*define\s+(THOST_FTDC_\w+)\s+'((?:\\.|[^'\\])+)'\s*(?://.*)?$")
FIRST_PREFIX = re.compile(r"THOST_FTDC_[^_]+_")
TYPEDEF = re.compile(r"^\s*typedef\s+(\w+)\s+(\w+)\s*(?:\[\s*(\d+)\s*\])?\s*;")
ENUM = re.compile(r"\benum\s+(\w+)\s*\{([^}]*)\}")
ENUM_MEMBER = re.compile(r"^\s*([A-Za-z_]\w*)\s*(?:=\s*([-+]?(?:0[xX][0-9a-fA-F]+|\d+)))?\s*$")
STRUCT = re.compile(r"^[ \t]*struct\s+CThostFtdc(\w+)Field\s*\{(.*?)\}\s*;", re.M | re.S)
RECORD_MENTION = re.compile(r"^[ \t]*struct\s+(CThostFtdc\w+Field)\b(?!\s*;)", re.M)
MEMBER = re.compile(r"^(\w+)\s+(\w+)\s*;$")
BLOCK_COMMENT = re.compile(r"/\*.*?\*/", re.S)


class HeaderError(Exception):
    """A header the generator cannot turn into modules with a trustworthy layout."""


def read_header(path):
    """The header's text with LF line ends. Bytes that neither encoding reads (they can only
    be in comments, since the code is ASCII) are replaced."""
    data = Path(path).read_bytes()
    for encoding in ENCODINGS:
        try:
            text = data.decode(encoding)
            break
        except UnicodeDecodeError:
            continue
    else:
        text = data.decode(ENCODINGS[-1], errors="replace")
    return text.replace("\r\n", "\n").replace("\r", "\n")


def clean_comment(text):
    """A header comment fit for one line of Python: no control characters, no rulers."""
    text = re.sub(r"[\x00-\x1f\x7f]", " ", text).strip()
    return "" if set(text) <= {"/"} else text


def short_type_name(typedef):
    """TThostFtdcDirectionType -> Direction."""
    match = re.fullmatch(r"TThostFtdc(\w+)Type", typedef)
    return match.group(1) if match else typedef


def parse_datatypes(text, header_name):
    """Returns (typedefs, groups): typedef name -> (base C type, array length or None), and
    a list of constant groups (C type name, [(name, value, comment)]), with bytes values for
    codes and ints for enum members."""
    typedefs = {}
    groups = [(enum.group(1), members) for enum in ENUM.finditer(text)
              if (members := parse_enum(enum.group(2)))]
    codes = []
    comment = ""
    for number, line in enumerate(text.split("\n"), 1):
        where = f"{header_name}:{number}"
        if match := COMMENT.match(line):
            comment = clean_comment(match.group(1))
        elif match := CODE_DEFINE.match(line):
            value = ast.literal_eval("b'%s'" % match.group(2))
            codes.append((match.group(1), value, comment, where))
            comment = ""
        elif CODE_DEFINE_START.match(line):
            raise HeaderError(f"{where}: not a code definition: {line.strip()}")
        elif match := TYPEDEF.match(line):
            base, name, length = match.groups()
            typedefs[name] = (base, int(length) if length else None)
            if codes:
                groups.append((name, name_codes(name, base, codes)))
            codes = []
            comment = ""
    if codes:
        raise HeaderError(f"{codes[0][3]}: {codes[0][0]} is followed by no typedef")
    check_unique([name for _, constants in groups for name, _, _ in constants], header_name)
    return typedefs, groups


def name_codes(type_name, base, codes):
    """The codes of one typedef as (Python name, value, comment)."""
    if base != "char":
        raise HeaderError(f"{codes[0][3]}: codes before {type_name}, which is no char type")
    names = [name for name, _, _, _ in codes]
    if len(names) == 1:
        prefix = FIRST_PREFIX.match(names[0])
        prefix = prefix.group() if prefix else "THOST_FTDC_"
    else:
        prefix = os.path.commonprefix(names)
        prefix = prefix[:prefix.rfind("_") + 1]
    named = []
    for name, value, comment, where in codes:
        python_name = f"{short_type_name(type_name)}_{name[len(prefix):]}"
        if not python_name.isidentifier():
            raise HeaderError(f"{where}: {name} gives no Python name ({python_name})")
        named.append((python_name, value, comment))
    return named


def check_unique(names, header_name):
    seen = set()
    for name in names:
        if name in seen:
            raise HeaderError(f"{header_name}: {name} is defined twice")
        seen.add(name)


def parse_enum(body):
    """The members of one enum as (name, value, comment), counting on from the last value
    as C does; an enum with anything but plain integers is left out."""
    body = BLOCK_COMMENT.sub("", re.sub(r"//[^\n]*", "", body))
    members = []
    value = 0
    for item in filter(str.strip, body.split(",")):
        match = ENUM_MEMBER.match(item)
        if not match:
            return []
        if match.group(2):
            value = int(match.group(2), 0)
        members.append((match.group(1), value, ""))
        value += 1
    return members


def ctype_of(typedefs, type_name):
    """The ctypes expression for a member declared with type_name, or None."""
    base, length = typedefs.get(type_name, (type_name, None))
    if base == "char":
        return FLAG_CTYPE if length is None else f"c_char * {length}"
    if length is None:
        return SCALAR_CTYPES.get(base)
    return None


def parse_structs(text, typedefs, header_name):
    """A list of (class name, comment, [(field, ctypes expression, comment)])."""
    records = []
    for struct in STRUCT.finditer(text):
        name = struct.group(1) + "Field"
        first_line = text.count("\n", 0, struct.start()) + 1
        before = text[:struct.start()].rstrip("\n").rsplit("\n", 1)[-1]
        doc = COMMENT.match(before)
        fields = []
        comment = ""
        body_line = text.count("\n", 0, struct.start(2)) + 1
        # Block comments become blank lines, so that line numbers stay true.
        body = BLOCK_COMMENT.sub(lambda block: "\n" * block.group().count("\n"), struct.group(2))
        for offset, line in enumerate(body.split("\n")):
            where = f"{header_name}:{body_line + offset}: CThostFtdc{name}"
            if match := COMMENT.match(line):
                comment = clean_comment(match.group(1))
                continue
            code = line.split("//", 1)[0].strip()
            if not code:
                continue
            if match := MEMBER.match(code):
                type_name, field = match.groups()
                ctype = ctype_of(typedefs, type_name)
                if ctype is None:
                    raise HeaderError(f"{where}.{field}: no field type for {type_name}")
                fields.append((field, ctype, comment))
                comment = ""
            else:
                raise HeaderError(f"{where}: not a member declaration: {code}")
        if not fields:
            raise HeaderError(f"{header_name}:{first_line}: CThostFtdc{name} has no members")
        records.append((name, clean_comment(doc.group(1)) if doc else "", fields))
    read = {f"CThostFtdc{name}" for name, _, _ in records}
    for struct in RECORD_MENTION.finditer(text):
        if struct.group(1) not in read:
            line = text.count("\n", 0, struct.start()) + 1
            raise HeaderError(f"{header_name}:{line}: struct {struct.group(1)} cannot be read")
    check_unique([name for name, _, _ in records], header_name)
    return records


def generated_line(sources):
    return f"# Generated by tools/gen_records.py from {' and '.join(sources)}; do not edit.\n"


def string_literal(text):
    return f'"""{text}"""' if '"' not in text and "\\" not in text else repr(text)


def with_comment(code, comment):
    return f"{code}  # {comment}" if comment else code


def render_all(names):
    return "__all__ = [\n" + "".join(f'    "{name}",\n' for name in names) + "]\n"


def render_struct_module(records, sources):
    used = sorted({ctype.split()[0] for _, _, fields in records for _, ctype, _ in fields})
    parts = [
        generated_line(sources),
        '"""The vendor\'s records: one class per CThostFtdc...Field struct, with its layout.\n\n'
        "A one-character flag (a plain char in the vendor's struct) is declared c_char * 1,\n"
        'which has the same size and alignment and reads as b\'\' when unset."""\n',
        f"from ctypes import {', '.join(used)}\n\n",
        "from Quorvan.utils import base_field\n\n",
        render_all(name for name, _, _ in records),
    ]
    for name, doc, fields in records:
        parts.append(f"\n\nclass {name}(base_field.BaseField):\n")
        if doc:
            parts.append(f"    {string_literal(doc)}\n")
        parts.append("    _fields_ = [\n")
        for field, ctype, comment in fields:
            parts.append(f"        {with_comment(f'({field!r}, {ctype}),', comment)}\n")
        parts.append("    ]\n")
    return "".join(parts)


def render_const_module(groups, sources):
    parts = [
        generated_line(sources),
        '"""The vendor\'s codes, as the bytes record fields hold them, and the members of its '
        'enums."""\n\n',
        render_all(name for _, constants in groups for name, _, _ in constants),
    ]
    for type_name, constants in groups:
        parts.append(f"\n# {type_name}\n")
        parts.extend(with_comment(f"{name} = {value!r}", comment) + "\n"
                     for name, value, comment in constants)
    return "".join(parts)


def render(header_dir):
    """The two modules' sources generated from the headers in header_dir, by file name."""
    datatype_path = os.path.join(header_dir, DATATYPE_HEADER)
    struct_path = os.path.join(header_dir, STRUCT_HEADER)
    typedefs, groups = parse_datatypes(read_header(datatype_path), DATATYPE_HEADER)
    records = parse_structs(read_header(struct_path), typedefs, STRUCT_HEADER)
    return {
        "ApiStruct.py": render_struct_module(records, [datatype_path, struct_path]),
        "ApiConst.py": render_const_module(groups, [datatype_path]),
    }


def write_atomically(path, source):
    """Replaces the file in one step, so that no import ever sees half a module."""
    fd, temporary = tempfile.mkstemp(dir=path.parent, prefix=f".{path.name}.")
    try:
        with os.fdopen(fd, "wb") as out:
            out.write(source.encode("utf-8"))
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main(argv):
    if len(argv) != 3:
        print(f"usage: {argv[0]} HEADER_DIR OUT_DIR", file=sys.stderr)
        return 2
    header_dir, out_dir = argv[1], Path(argv[2])
    try:
        modules = render(header_dir)
    except (HeaderError, OSError) as exc:
        print(f"gen_records: {exc}", file=sys.stderr)
        return 1
    out_dir.mkdir(parents=True, exist_ok=True)
    for file_name, source in modules.items():
        write_atomically(out_dir / file_name, source)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
