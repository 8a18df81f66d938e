#!/usr/bin/env bash
# make-package.sh DIR: a sample driver package in DIR, with placeholder files
# for every model in "x86" and "x64", laid out as the installer expects.
set -eu
dir=$1
plugins=(WQ3T)
data=(WQ310 WQ320 WQ330 WQ340 WQ350 WQ350V WQ372 WQ374 WQ374R WQK374 WQ3T WQ3D WQ3RC)
common=(uniDRVui.DLL uniDRV.DLL UNIDRV.HLP UNIRES.DLL TTFSUB.GPD STDNAMES.GPD)
for arch in x86 x64; do
  mkdir -p "$dir/$arch"
  for f in "${plugins[@]/%/.DLL}" "${data[@]/%/.GPD}" "${common[@]}"; do
    printf 'Placeholder for %s (%s) from the DriverSetup sample package; not a working driver file.\r\n' "$f" "$arch" > "$dir/$arch/$f"
  done
done
