#!/bin/sh
# make demo: asks the three questions of the reference technology programs
# that the build installed in <build>/exchange, through qelquery.
set -e
build=${1:-build/native}
study=$build/exchange

ask() {
    echo "\$ qelquery --study $study $*"
    "$build/tools/qelquery" --study "$study" "$@"
    echo
}

echo "Reference technology programs in $study (SAMPLE DATA, not machining advice)"
echo
ask version
ask installed
ask electrode-materials 1.2379
ask surface-finishes 1.2379 Copper
ask optimum-undersizes 1.2379 Copper 12.5 50 18 120
ask electrode-materials Unobtainium
echo "The last exchange, left in $study:"
echo "--- R_ElectrodeMat.xml"
cat "$study/R_ElectrodeMat.xml"
echo "--- A_ElectrodeMat.xml"
cat "$study/A_ElectrodeMat.xml"
