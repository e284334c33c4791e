#!/usr/bin/env bash
# Refuses an include that runs up the layers. Every product file belongs to one layer (the first
# matching pattern of the table below); a file may include headers of its own layer and of the
# layers its row allows, nothing else. Tests, benchmarks and fuzz targets may include anything.
# Exit 1 with the offending lines, or when a product file matches no pattern.
set -euo pipefail
cd "$(dirname "$0")/.."

# layer       patterns (shell globs, first match wins)
layers=(
  "ui         */ui/* charts/ui/* app/main.cpp"
  "cli        cli/*"
  "sim        sim/*"
  "platform   platform/*"
  "model      app/result.h app/rounding.* app/param_set.* app/model_table.* app/sensor_code.* comm/device_float.* comm/device_record.h comm/record_layout.h sensors/sensor_data.h sensors/sensor_range.* sensors/user_table.*"
  "docs       docs/* app/settings.*"
  "charts     charts/*"
  "sensors    sensors/*"
  "comm       comm/*"
  "appcore    app/* service/*"
)

# layer      may include
allowed=(
  "platform:"
  "model:"
  "docs:model"
  "charts:"
  "sensors:model docs"
  "comm:model platform"
  "appcore:model docs sensors comm charts platform"
  "cli:appcore model docs sensors comm charts platform"
  "ui:appcore model docs sensors comm charts platform"
  "sim:platform"
)

layer_of() {
  local file=$1 row name pattern
  for row in "${layers[@]}"; do
    read -r name patterns <<<"$row"
    for pattern in $patterns; do
      # shellcheck disable=SC2053
      if [[ $file == $pattern ]]; then
        echo "$name"
        return
      fi
    done
  done
}

may_include() {
  local from=$1 to=$2 row
  [ "$from" = "$to" ] && return 0
  for row in "${allowed[@]}"; do
    if [ "${row%%:*}" = "$from" ]; then
      [[ " ${row#*:} " == *" $to "* ]] && return 0
      return 1
    fi
  done
  return 1
}

status=0
while IFS= read -r file; do
  from=$(layer_of "$file")
  if [ -z "$from" ]; then
    echo "$file: belongs to no layer (add it to scripts/check_layers.sh)"
    status=1
    continue
  fi
  while IFS=: read -r line header; do
    to=$(layer_of "$header")
    [ -z "$to" ] && continue  # a system or library header
    if ! may_include "$from" "$to"; then
      echo "$file:$line: $from includes $header ($to)"
      status=1
    fi
  done < <(grep -n '^#include "' "$file" | sed -E 's/^([0-9]+):#include "([^"]+)".*/\1:\2/')
done < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp' | grep -vE '^(tests|bench|fuzz|build[^/]*)/')

[ $status -eq 0 ] && echo "layers: every include runs down the layers"
exit $status
