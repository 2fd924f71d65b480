#!/usr/bin/env python3
"""Checks a SCORM content package for what schema validation misses.

    scorm_check.py PACKAGE [--allow-unlisted PATH]... [--same-files-as FOLDER]

PACKAGE is a package folder or a .zip file. Checked: imsmanifest.xml lies at the package root and is
well-formed; the schemaversion is "1.2", "2004 3rd Edition" or "2004 4th Edition" and fits the manifest's
namespace; the default organization exists; identifiers are unique; every identifierref names a resource;
no href is absolute, climbs out with "..", or uses "\\"; every listed file (and each resource's launch page)
exists; and every file of the package is listed, except the manifest itself, the metadata records the
manifest names, the schema files at the root and in the schema folders, and the paths given with
--allow-unlisted. Strict schema rules: every schema that the manifest or a metadata record it names gives in
xsi:schemaLocation is in the package where it says, and so is every schema those include or import and
every DTD a schema's DOCTYPE or a DTD's external entity names, however deep. For a .zip, --same-files-as also checks that the archive holds exactly the files of the
folder and zipfile's own CRC check passes.

Prints one line per problem and exits with 1 when there is any; prints "OK" and exits with 0 otherwise.
"""

import os
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

CP12 = "http://www.imsproject.org/xsd/imscp_rootv1p1p2"
CP2004 = "http://www.imsglobal.org/xsd/imscp_v1p1"
ADLCP = ("http://www.adlnet.org/xsd/adlcp_rootv1p2", "http://www.adlnet.org/xsd/adlcp_v1p3")
VERSIONS = {CP12: {"1.2"}, CP2004: {"2004 3rd Edition", "2004 4th Edition"}}
SCHEMA_FOLDERS = ("common/", "extend/", "unique/", "vocab/")


def package_files(package):
    """Every file of the package as a relative path with "/" separators, and a reader for one of them."""
    if os.path.isdir(package):
        names = []
        for root, _, files in os.walk(package):
            for name in files:
                full = os.path.join(root, name)
                if os.path.isfile(full) and not os.path.islink(full):
                    names.append(os.path.relpath(full, package).replace(os.sep, "/"))
        return set(names), lambda n: open(os.path.join(package, n), "rb").read()
    archive = zipfile.ZipFile(package)
    return {n for n in archive.namelist() if not n.endswith("/")}, archive.read


def href_problems(href, where):
    problems = []
    if href.startswith("/") or "\\" in href or ":" in href.split("/")[0]:
        problems.append("%s: href %r is not a relative path" % (where, href))
    if ".." in href.split("/"):
        problems.append("%s: href %r climbs out of the package" % (where, href))
    return problems


XSI = "{http://www.w3.org/2001/XMLSchema-instance}schemaLocation"
DOCTYPE = re.compile(rb"""<!DOCTYPE\s+[^\s>\[]+\s+(?:PUBLIC\s+("[^"]*"|'[^']*')\s+|SYSTEM\s+)("[^"]*"|'[^']*')""")
ENTITY_REF = re.compile(rb"""<!ENTITY\s+%\s+[^\s>]+\s+(?:PUBLIC\s+("[^"]*"|'[^']*')\s+|SYSTEM\s+)("[^"]*"|'[^']*')""")
SCHEMA_REF = re.compile(rb"""<(?:\w+:)?(?:include|import|redefine)\b[^>]*?\bschemaLocation\s*=\s*("[^"]*"|'[^']*')""")


def schema_problems(files, read, root, named_records):
    """What the strict schema rules find: schemas and DTDs named but not in the package."""
    problems = []
    pending = []
    documents = [("imsmanifest.xml", root)]
    for record in named_records:
        if record in files:
            try:
                documents.append((record, ET.fromstring(read(record))))
            except ET.ParseError as error:
                problems.append("%s is not well-formed: %s" % (record, error))
    for name, element in documents:
        for holder in element.iter():
            pairs = (holder.get(XSI) or "").split()
            for location in pairs[1::2]:
                pending.append((name, os.path.normpath(os.path.join(os.path.dirname(name), location)).replace(os.sep, "/")))
    seen = set()
    while pending:
        by, name = pending.pop()
        if name in seen:
            continue
        seen.add(name)
        if name not in files:
            problems.append("%s names %r, which is not in the package" % (by, name))
            continue
        text = read(name)
        refs = [m.group(2) for m in DOCTYPE.finditer(text)] + [m.group(2) for m in ENTITY_REF.finditer(text)]
        refs += [m.group(1) for m in SCHEMA_REF.finditer(text)]
        for ref in refs:
            ref = ref[1:-1].decode("utf-8", "replace")
            if "://" in ref:
                continue   # a schema found by its public address, never loaded from the package
            pending.append((name, os.path.normpath(os.path.join(os.path.dirname(name), ref)).replace(os.sep, "/")))
    return problems


def check(package, allowed, same_as):
    problems = []
    files, read = package_files(package)
    if "imsmanifest.xml" not in files:
        return ["imsmanifest.xml is not at the package root"]
    try:
        root = ET.fromstring(read("imsmanifest.xml"))
    except ET.ParseError as error:
        return ["imsmanifest.xml is not well-formed: %s" % error]

    ns = root.tag[1:].split("}")[0] if root.tag.startswith("{") else ""
    if ns not in VERSIONS or root.tag != "{%s}manifest" % ns:
        return ["the root element %s is no content-package manifest" % root.tag]
    q = lambda name: "{%s}%s" % (ns, name)

    version = root.findtext("%s/%s" % (q("metadata"), q("schemaversion")))
    if version not in VERSIONS[ns]:
        problems.append("schemaversion %r does not fit the namespace %s" % (version, ns))

    ids = {}
    for element in root.iter():
        identifier = element.get("identifier")
        if identifier is not None:
            if identifier in ids:
                problems.append("identifier %r is used twice" % identifier)
            ids[identifier] = element

    organizations = root.find(q("organizations"))
    default = organizations.get("default") if organizations is not None else None
    orgs = {o.get("identifier") for o in organizations.findall(q("organization"))} if organizations is not None else set()
    if default not in orgs:
        problems.append("the default organization %r does not exist" % default)

    resources = {r.get("identifier"): r for r in root.iter(q("resource"))}
    for element in list(root.iter(q("item"))) + list(root.iter(q("dependency"))):
        ref = element.get("identifierref")
        if element.tag == q("dependency") or ref is not None:
            if ref not in resources:
                problems.append("identifierref %r names no resource" % ref)

    listed = set()
    for identifier, resource in resources.items():
        base = resource.get("{http://www.w3.org/XML/1998/namespace}base", "")
        own = set()
        for f in resource.findall(q("file")):
            href = f.get("href", "")
            problems += href_problems(href, "resource %s" % identifier)
            own.add(base + href)
        listed |= own
        launch = resource.get("href")
        if launch is not None:
            problems += href_problems(launch, "resource %s" % identifier)
            if base + launch not in own:
                problems.append("resource %s does not list its launch page %r" % (identifier, launch))

    for name in sorted(listed - files):
        problems.append("listed file %r is not in the package" % name)

    named = {"imsmanifest.xml"}
    for adl in ADLCP:
        for location in root.iter("{%s}location" % adl):
            named.add((location.text or "").strip())
    problems += schema_problems(files, read, root, sorted(named - {"imsmanifest.xml"}))
    unlisted = [n for n in sorted(files - listed - named - set(allowed))
                if not ("/" not in n and n.lower().endswith((".xsd", ".dtd")))
                and not n.startswith(SCHEMA_FOLDERS)]
    for name in unlisted:
        problems.append("file %r is in the package but not listed" % name)

    if same_as is not None:
        folder_files, _ = package_files(same_as)
        if files != folder_files:
            problems.append("the archive holds %s but the folder %s" %
                            (sorted(files - folder_files), sorted(folder_files - files)))
        bad = zipfile.ZipFile(package).testzip()
        if bad is not None:
            problems.append("%s fails its CRC check" % bad)
    return problems


def main(argv):
    args = argv[1:]
    allowed, same_as, package = [], None, None
    while args:
        arg = args.pop(0)
        if arg == "--allow-unlisted":
            allowed.append(args.pop(0))
        elif arg == "--same-files-as":
            same_as = args.pop(0)
        else:
            package = arg
    if package is None:
        print(__doc__)
        return 2
    problems = check(package, allowed, same_as)
    for problem in problems:
        print(problem)
    if not problems:
        print("OK")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
