#!/usr/bin/env bash
# Compresses the generated sample picture to every compression type with a
# full mip chain, runs the README's workspace example beside it, writes the
# ETC1 chain as one PNG picture, and lists what was written.
set -uo pipefail
build_dir=$1
out_dir=$2

mkdir -p "$out_dir"
sample="$out_dir/sample.tga"
"$build_dir/tools/make_sample" "$sample" || exit 1

types=("ATC RGB" "ATC RGBA Explicit" "ATC RGBA Interpolated" "ETC1 RGB8" "3DC X" "3DC XY")
failed=()
for type in "${types[@]}"; do
    name=$(echo "$type" | tr ' A-Z' '_a-z')
    out="$out_dir/sample_$name.ktx"
    rm -f "$out"
    if ! "$build_dir/src/cmd/VostrelCmd" "$sample" "$out" "$type" yes </dev/null 2>"$out_dir/$name.log"; then
        failed+=("$type: $(grep -m1 '^ERROR' "$out_dir/$name.log" || echo 'failed')")
    fi
done

# The workspace example, run from the output directory: its relative paths
# name sample.tga there.
example="$(cd "$(dirname "$0")/.." && pwd)/examples/workspace.xml"
tools="$(cd "$build_dir" && pwd)/src"
rm -f "$out_dir"/batch_*.ktx
if ! (cd "$out_dir" && "$tools/cmd/VostrelCmd" -ws "$example" </dev/null 2>workspace.log); then
    failed+=("workspace example: $(grep -m1 'ERROR' "$out_dir/workspace.log" || echo 'failed')")
fi

sheet="$out_dir/sample_etc1_rgb8_levels.png"
if ! "$tools/inspect/VostrelInspect" decode "$out_dir/sample_etc1_rgb8.ktx" "$sheet" --sheet >/dev/null 2>&1; then
    failed+=("VostrelInspect decode of sample_etc1_rgb8.ktx")
fi

echo "Files written to $out_dir:"
ls -l "$out_dir"/*.ktx "$out_dir"/*.png 2>/dev/null | awk '{printf "  %10d  %s\n", $5, $NF}'
if [ ${#failed[@]} -ne 0 ]; then
    echo "Not available yet:"
    printf '  %s\n' "${failed[@]}"
fi
