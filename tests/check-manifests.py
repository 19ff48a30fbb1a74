#!/usr/bin/python3
"""Checks the winget and Scoop manifests of a release folder against the published schemas and the
archives beside them: every version quoted in the YAML text, each URL the base address followed by the
name of the archive of its architecture, each SHA-256 that archive's, the program inside it.
   tests/check-manifests.py DIST BASE        exit 1 and one line per fault when any is found"""
import hashlib, json, pathlib, sys, zipfile

import jsonschema, yaml

schemas = pathlib.Path(__file__).resolve().parent / "fixtures" / "schemas"
dist, base = pathlib.Path(sys.argv[1]), sys.argv[2]
faults = []


def validate(doc, schema, where):
    validator = jsonschema.Draft7Validator(json.loads(schema.read_text()), format_checker=jsonschema.FormatChecker())
    faults.extend(f"{where}: {e.json_path}: {e.message}" for e in validator.iter_errors(doc))


def archive(url, flavour, sha, where):
    """The entries of the archive of that flavour, which the URL must name and the hash sum; None when
    the URL names another."""
    name = f"Pathgrabber-{version}-{flavour}.zip"
    if url != base + name:
        faults.append(f"{where}: {url} is not {base}{name}")
        return None
    if str(sha).lower() != hashlib.sha256((dist / name).read_bytes()).hexdigest():
        faults.append(f"{where}: {sha} is not the SHA-256 of {name}")
    return zipfile.ZipFile(dist / name).namelist()


zips = sorted(dist.glob("Pathgrabber-*-x64.zip"))
if len(zips) != 1:
    sys.exit(f"check-manifests: expected one x64 archive in {dist}, found {len(zips)}")
version = zips[0].name[len("Pathgrabber-"):-len("-x64.zip")]

# winget: the four files of one version, in the community repository's layout.
folder = dist / "winget/manifests/p/Pathgrabber/Pathgrabber" / version
kinds = {"": "version", ".installer": "installer", ".locale.en-US": "defaultLocale", ".locale.ja-JP": "locale"}
for suffix, kind in kinds.items():
    path = folder / f"Pathgrabber.Pathgrabber{suffix}.yaml"
    if not path.is_file():
        faults.append(f"{path}: missing")
        continue
    text = path.read_text(encoding="utf-8")
    # A schema sees only the parsed value: 1.0.6.0 unquoted is a string, 1.10 a number.
    for key, value in yaml.compose(text).value:
        if key.value.endswith("Version") and value.style not in ('"', "'"):
            faults.append(f"{path.name}: {key.value} {value.value} is not quoted")
    doc = yaml.safe_load(text)
    validate(doc, schemas / f"winget-1.12.0/manifest.{kind}.1.12.0.json", path.name)
    if (doc.get("ManifestType"), doc.get("PackageIdentifier"), doc.get("PackageVersion")) != (kind, "Pathgrabber.Pathgrabber", version):
        faults.append(f"{path.name}: not the {kind} manifest of Pathgrabber.Pathgrabber {version}")
    if kind == "installer":
        installers = {i.get("Architecture"): i for i in doc.get("Installers", [])}
        if sorted(installers) != ["x64", "x86"] or len(doc["Installers"]) != 2:
            faults.append(f"{path.name}: installers {sorted(installers)}, not one x86 and one x64")
        for arch, i in installers.items():
            names = archive(i.get("InstallerUrl"), arch, i.get("InstallerSha256"), f"{path.name} {arch}")
            for nested in doc.get("NestedInstallerFiles") or []:
                if names is not None and nested["RelativeFilePath"] not in names:
                    faults.append(f"{path.name} {arch}: no {nested['RelativeFilePath']} in the archive")

# Scoop: one JSON manifest.
path = dist / "scoop/pathgrabber.json"
doc = json.loads(path.read_text(encoding="utf-8"))
validate(doc, schemas / "scoop/schema.json", path.name)
if doc.get("version") != version:
    faults.append(f"{path.name}: version {doc.get('version')} is not {version}")
architectures = doc.get("architecture", {})
if sorted(architectures) != ["32bit", "64bit"]:
    faults.append(f"{path.name}: architectures {sorted(architectures)}, not 32bit and 64bit")
for arch, flavour in (("32bit", "x86"), ("64bit", "x64")):
    a = architectures.get(arch, {})
    names = archive(a.get("url"), flavour, a.get("hash"), f"{path.name} {arch}")
    for entry in doc.get("bin", []):
        if names is not None and (entry[0] if isinstance(entry, list) else entry) not in names:
            faults.append(f"{path.name} {arch}: no {entry} in the archive")

print("\n".join(faults) or f"check-manifests: {version} ok")
sys.exit(1 if faults else 0)
