#!/usr/bin/env bash
# The Linux plug-in's signal path against the peers, all native, in ONE
# interleaved session with no Wine anywhere: Vexatone.so (the linux
# preset's bundle, timed by bench/linux/vstbench.cpp) and the four LV2
# peers of the shared benchmark (LSP Para EQ x16 stereo, Calf Equalizer
# 8-band, x42 fil4, ZamEQ2 as two mono instances, timed by its eqbench.cpp
# with its scenarios.sh). Settings as the shared benchmark's: 48 kHz, stereo
# white noise, block 512 (Vexatone also 64), 7 active sections (ZamEQ2 4).
# Run from the project root after the linux preset has built the bundle:
#   bash bench/linux/compare.sh [ROUNDS=5]
# Environment: SECS (audio seconds per timed subrun, 10), SUBRUNS (3),
# SHARED (the shared benchmark's folder, ../shared/bench), KEEP=1.
set -euo pipefail
root=$(pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
shared=${SHARED:-$root/../shared/bench}
R=${1:-5}; R=${R#ROUNDS=}
[[ $R =~ ^[1-9][0-9]*$ ]] || { echo "usage: bash bench/linux/compare.sh [ROUNDS=5]" >&2; exit 2; }
SECS=${SECS:-10}; SUBRUNS=${SUBRUNS:-3}
say() { echo "[compare-linux] $*" >&2; }
so="$root/dist/linux-x86_64/Vexatone/Vexatone.so"
[ -f "$so" ] || { echo "$so not found: cmake --preset linux && cmake --build --preset linux" >&2; exit 1; }
[ -f "$shared/eqbench.cpp" ] && [ -f "$shared/scenarios.sh" ] || { echo "no shared benchmark at $shared" >&2; exit 1; }

packages=(lilv-utils liblilv-dev lv2-dev lsp-plugins-lv2 calf-plugins x42-plugins zam-plugins)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  say "installing ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vexbench-linux.XXXXXX")
cleanup() { if [ "${KEEP:-0}" = 1 ]; then say "raw outputs kept in $work"; else rm -rf "$work"; fi; }
trap cleanup EXIT
say "building the harnesses"
{
  g++ -O2 -std=c++17 -o "$work/eqbench" "$shared/eqbench.cpp" $(pkg-config --cflags --libs lilv-0)
  g++ -O2 -std=c++17 -o "$work/vstbench" "$here/vstbench.cpp" -ldl
} >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
# A copy: the library writes its settings file beside itself.
cp -r "$root/dist/linux-x86_64/Vexatone" "$work/Vexatone"
. "$shared/scenarios.sh"
item() {
  local peer=("$work/eqbench" -r 48000 -b 512 -s "$SECS" -n "$SUBRUNS" -w 1 --)
  case $1 in
    so)   VEX_NO_MESSAGE_WINDOW=1 "$work/vstbench" "$work/Vexatone/Vexatone.so" "$SECS" "$SUBRUNS" 512,64 ;;
    lsp)  "${peer[@]}" lsp "$LSP" $LSP_7 ;;
    calf) "${peer[@]}" calf "$CALF" $CALF_7 ;;
    fil4) "${peer[@]}" fil4 "$FIL4" $FIL4_7 ;;
    zam)  "${peer[@]}" zam "$ZAM" $ZAM_4 ;;
  esac
}
{
  echo "cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//') ($(nproc) cores)"
  echo "load_before=$(cut -d' ' -f1-3 /proc/loadavg)"
  echo "head=$(git -C "$root" log --oneline -1 2>/dev/null | cut -c1-60 || echo '?')"
  echo "peers=$(dpkg-query -W -f='${Package} ${Version}, ' lsp-plugins-lv2 calf-plugins x42-plugins zam-plugins | sed 's/, $//')"
} >"$work/env.txt"
items=(so lsp calf fil4 zam)
n=${#items[@]}
failed=0
for ((r = 0; r < R; r++)); do
  mkdir -p "$work/raw/$r"
  for ((k = 0; k < n; k++)); do
    it=${items[$(((k + r) % n))]}
    if ! item "$it" >"$work/raw/$r/$it.txt" 2>&1; then
      failed=1; say "round $((r + 1)): $it failed:"; tail -5 "$work/raw/$r/$it.txt" >&2
    fi
  done
  say "round $((r + 1))/$R done, load $(cut -d' ' -f1-3 /proc/loadavg)"
done
echo "load_after=$(cut -d' ' -f1-3 /proc/loadavg)" >>"$work/env.txt"

python3 - "$work" "$R" "$SECS" "$SUBRUNS" <<'PY'
import os, re, statistics, sys
work, R, secs, sub = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
env = dict(l.rstrip('\n').split('=', 1) for l in open(os.path.join(work, 'env.txt')) if '=' in l)
F, bad = {}, []
for r in range(R):
    for it in ('so', 'lsp', 'calf', 'fil4', 'zam'):
        p = os.path.join(work, 'raw', str(r), it + '.txt')
        t = open(p, errors='replace').read() if os.path.exists(p) else ''
        if re.search(r'finite (NO)|\sNO\s', t): bad.append(it)
        if it == 'so':
            for m in re.finditer(r'^noise_b(\d+)\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+([\d.]+)$', t, re.M):
                F.setdefault('so.b%s' % m.group(1), {})[r] = float(m.group(2))
        else:
            m = re.search(r'^%s\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+\d+\s+[-\d.]+\s+\w+\s+([\d.]+)$' % it, t, re.M)
            if m: F.setdefault(it, {})[r] = float(m.group(1))
def fmt(v, d):
    if not v: return 'n/a'
    return '%.*f [%.*f-%.*f]' % (d, statistics.median(v), d, min(v), d, max(v))
def fig(k): return fmt(list(F.get(k, {}).values()), 1)
def ratio(a, b):
    A, B = F.get(a, {}), F.get(b, {})
    return fmt([A[r] / B[r] for r in A if r in B and B[r]], 3)
print()
print('Native, side by side: %d rounds, order rotated, %s s x %s per item and round; 48 kHz stereo white noise, 7 active sections'
      % (R, secs, sub))
print('CPU %s; load average before %s, after %s; HEAD %s' % (env.get('cpu', '?'), env.get('load_before', '?'),
      env.get('load_after', '?'), env.get('head', '?')))
print('peers: %s' % env.get('peers', '?'))
print()
print('%-34s %-20s %s' % ('ns per stereo frame (block p50)', 'median [min-max]', 'Vexatone.so b512 / this, per round'))
for label, key in [('Vexatone.so, block 512', 'so.b512'), ('Vexatone.so, block 64', 'so.b64'),
                   ('LSP Para EQ x16 stereo', 'lsp'), ('Calf Equalizer 8-band', 'calf'),
                   ('x42 fil4 stereo', 'fil4'), ('ZamEQ2 x2 (L, R; 4 sections)', 'zam')]:
    print('%-34s %-20s %s' % (label, fig(key), ratio('so.b512', key) if key != 'so.b512' else ''))
print()
print('%-34s %s' % ('Vexatone.so: block 64 / block 512', ratio('so.b64', 'so.b512')))
if bad: print('WARNING: non-finite output from %s' % ', '.join(sorted(set(bad))))
PY
if ((failed)); then echo "some runs failed (see above); their figures are missing" >&2; exit 3; fi
