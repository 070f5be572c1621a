#!/bin/sh
# make demo: asks the three questions of the reference technology programs
# that the build installed in <build>/exchange, through qelquery.
build=${1:-build/native}
study=$build/exchange

# Shows the command as typed, runs it, and shows a failure's exit status.
ask() {
    echo "\$ qelquery $1"
    eval "\"$build/qelquery\" $1" 2>&1 || echo "(exit status $?)"
    echo
}

echo "Reference technology programs in $study (SAMPLE DATA, not machining advice)"
echo
ask "--study $study installed"
ask "--study $study electrode-materials 1.2379"
ask "--study $study surface-finishes 1.2379 \"Graphite fine grain\""
ask "--study $study optimum-undersizes 1.2379 Copper 12.5 50 18 120"
ask "--study $study electrode-materials Unobtainium"
echo "The last exchange, left in $study:"
echo "--- R_ElectrodeMat.xml"
cat "$study/R_ElectrodeMat.xml"
echo "--- A_ElectrodeMat.xml"
cat "$study/A_ElectrodeMat.xml"
echo
mkdir -p "$build/no-programs"
ask "--study $build/no-programs electrode-materials 1.2379"
echo
echo "\$ qelquery check --study $study | tail -n 4"
"$build/qelquery" check --study "$study" | tail -n 4
