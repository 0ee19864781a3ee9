#!/usr/bin/env python3
"""Checks every manifest in the folders given against Agones' schemas.

    checkmanifests.py SCHEMA_FOLDER MANIFEST_FOLDER...

A document of a kind the schema folder holds (matched by apiVersion and kind)
is validated with JSON Schema Draft 4; any other kind (a Deployment, a
Service) only has to parse and name its apiVersion and kind. Prints one line
per document and "INVALID <file>: ..." for each fault; exits 1 when there is
one.
"""
import json
import pathlib
import sys

import jsonschema
import yaml


def load_schemas(folder):
    schemas = {}
    for path in sorted(pathlib.Path(folder).glob("*.json")):
        data = json.loads(path.read_text())
        schemas[(data["apiVersion"], data["kind"])] = jsonschema.Draft4Validator(data["schema"])
    return schemas


def check_file(path, schemas):
    faults = []
    try:
        documents = [d for d in yaml.safe_load_all(path.read_text()) if d is not None]
    except yaml.YAMLError as error:
        return [f"does not parse: {error}"]
    if not documents:
        return ["holds no document"]
    for index, document in enumerate(documents):
        if not isinstance(document, dict) or "apiVersion" not in document or "kind" not in document:
            faults.append(f"document {index + 1} names no apiVersion and kind")
            continue
        key = (document["apiVersion"], document["kind"])
        validator = schemas.get(key)
        if validator is None:
            print(f"parsed  {path.name}: {key[1]} ({key[0]}), not an Agones kind checked here")
            continue
        errors = sorted(validator.iter_errors(document), key=lambda e: list(e.absolute_path))
        for error in errors:
            where = ".".join(str(p) for p in error.absolute_path) or "(top)"
            faults.append(f"{key[1]} at {where}: {error.message}")
        if not errors:
            print(f"valid   {path.name}: {key[1]} ({key[0]})")
    return faults


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    schemas = load_schemas(argv[1])
    failed = False
    files = [p for folder in argv[2:] for p in sorted(pathlib.Path(folder).glob("*.y*ml"))]
    if not files:
        print("INVALID: no manifests found", file=sys.stderr)
        return 1
    for path in files:
        for fault in check_file(path, schemas):
            print(f"INVALID {path.name}: {fault}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
