#!/usr/bin/env bash
# Compresses the generated sample picture to every compression type with a
# full mip chain and lists what was written.
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

echo "Files written to $out_dir:"
ls -l "$out_dir"/*.ktx 2>/dev/null | awk '{printf "  %10d  %s\n", $5, $NF}'
if [ ${#failed[@]} -ne 0 ]; then
    echo "Not available yet:"
    printf '  %s\n' "${failed[@]}"
fi
