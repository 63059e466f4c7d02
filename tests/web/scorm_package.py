#!/usr/bin/env python3
"""The package for learning platforms as other tools read it: quizmaker web --scorm writes
the package of quizzes/platform.json; unzip tests it, Python's zipfile reads
it, and its manifest is parsed as XML and must name every file the zip holds,
launch the page made for a platform and carry the quiz's title. The last line
tells how many tests passed and failed.
    scorm_package.py QUIZMAKER OUT
"""
import json
import os
import subprocess
import sys
import traceback
import xml.etree.ElementTree as ET
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
QUIZMAKER, OUT = sys.argv[1], sys.argv[2]
CP = "{http://www.imsproject.org/xsd/imscp_rootv1p1p2}"
ADLCP = "{http://www.adlnet.org/xsd/adlcp_rootv1p2}"

os.makedirs(OUT, exist_ok=True)
QUIZ = os.path.join(HERE, "quizzes", "platform.json")
PACKAGE = os.path.join(OUT, "platform.zip")
PAGE = os.path.join(OUT, "platform.html")
subprocess.run([QUIZMAKER, "web", QUIZ, "-o", PACKAGE, "--scorm"], check=True, stderr=subprocess.DEVNULL)
subprocess.run([QUIZMAKER, "web", QUIZ, "-o", PAGE], check=True, stderr=subprocess.DEVNULL)
with open(QUIZ, encoding="utf-8") as file:
    TITLE = json.load(file)["title"]


class Failure(Exception):
    pass


def equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: {actual!r}, expected {expected!r}")


def the_zip_opens_with_unzip_and_zipfile_each_entry_intact():
    result = subprocess.run(["unzip", "-t", PACKAGE], capture_output=True, text=True)
    equal(result.returncode, 0, "unzip -t: " + result.stdout + result.stderr)
    with zipfile.ZipFile(PACKAGE) as package:
        equal(package.testzip(), None, "the first entry whose check fails")
        equal(sorted(package.namelist()), ["imsmanifest.xml", "index.html"], "entries")
        page = package.getinfo("index.html")
        equal(page.compress_type, zipfile.ZIP_DEFLATED, "the page's method")
        # The module and the stored quiz are base64: deflate gives back most of a quarter.
        if page.compress_size > page.file_size * 0.85:
            raise Failure(f"the page deflates to {page.compress_size} of {page.file_size} bytes")
        html = package.read("index.html").decode("utf-8")
    if not html.startswith("<!DOCTYPE html>") or '"platform":"scorm12"' not in html:
        raise Failure("the launch file is not the page made for a platform")
    with open(PAGE, encoding="utf-8") as file:
        plain = file.read()
    equal(html.replace(',"platform":"scorm12"', ""), plain, "the page besides its platform mark")


def the_manifest_is_scorm_1_2_naming_every_file_the_zip_holds():
    with zipfile.ZipFile(PACKAGE) as package:
        names = set(package.namelist())
        text = package.read("imsmanifest.xml")
    root = ET.fromstring(text)  # raises on XML that is not well formed
    equal(root.tag, CP + "manifest", "the root")
    equal([root.findtext(f"{CP}metadata/{CP}{name}") for name in ("schema", "schemaversion")],
          ["ADL SCORM", "1.2"], "the schema")
    organizations = root.find(CP + "organizations")
    organization = organizations.findall(CP + "organization")
    equal(len(organization), 1, "organisations")
    equal(organizations.get("default"), organization[0].get("identifier"), "the default organisation")
    items = organization[0].findall(f".//{CP}item")
    equal(len(items), 1, "items")
    resources = root.findall(f"{CP}resources/{CP}resource")
    equal(len(resources), 1, "resources")
    resource = resources[0]
    equal(items[0].get("identifierref"), resource.get("identifier"), "the item's resource")
    equal([resource.get("type"), resource.get(ADLCP + "scormtype"), resource.get("href")],
          ["webcontent", "sco", "index.html"], "the resource")
    files = [file.get("href") for file in resource.findall(CP + "file")]
    equal(sorted(files), sorted(names - {"imsmanifest.xml"}), "the files listed against the zip's")
    equal(resource.get("href") in names, True, "the launch file is in the zip")
    identifiers = [element.get("identifier") for element in root.iter() if element.get("identifier")]
    equal(len(identifiers), len(set(identifiers)), "identifiers are unique")


def the_titles_are_the_quizs_title_escaped():
    with zipfile.ZipFile(PACKAGE) as package:
        text = package.read("imsmanifest.xml").decode("utf-8")
    root = ET.fromstring(text)
    titles = [element.text for element in root.iter(CP + "title")]
    equal(titles, [TITLE, TITLE], "the organisation's and the item's titles")
    for escaped in ("Fran&amp;", "&lt;b&gt;", "&quot;guillemets&quot;", "été €"):
        if escaped not in text:
            raise Failure(f"{escaped!r} is not in the manifest")


tests = [the_zip_opens_with_unzip_and_zipfile_each_entry_intact,
         the_manifest_is_scorm_1_2_naming_every_file_the_zip_holds,
         the_titles_are_the_quizs_title_escaped]
passed = failed = 0
for test in tests:
    name = test.__name__.replace("_", " ")
    try:
        test()
        passed += 1
        print(f"ok: {name}")
    except Failure as failure:
        failed += 1
        print(f"FAILED: {name}: {failure}")
    except Exception:
        failed += 1
        print(f"FAILED: {name}: {traceback.format_exc()}")
print(f"package tests: {passed} passed, {failed} failed")
sys.exit(0 if failed == 0 else 1)
