#!/bin/sh
# Installs the package as a user would, into a fresh virtual environment:
#   fresh_venv.sh PYTHON VENV PACKAGE
# The environment sees the system's packages (pytest, and setuptools to
# build with: nothing is downloaded). pip builds in the package's own
# directory, so it is given a copy, which keeps the sources clean.
set -eu
python=$1 venv=$2 package=$3
rm -rf "$venv"
"$python" -m venv --system-site-packages "$venv"
cp -R "$package" "$venv/qellink-source"
"$venv/bin/python" -m pip install --quiet --no-index --no-build-isolation "$venv/qellink-source"
# The installed package, not a source tree, answers the import.
cd "$venv" && "$venv/bin/python" -c 'import qellink, sys; sys.exit("site-packages" not in qellink.__file__)'
