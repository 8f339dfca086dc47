#!/usr/bin/env bash
# Synthesises the sounds shipped in modules/media/ with SoX:
#
#   00.mp3  background music: four soft pad chords over a bass, a 32 s loop
#   01.wav  opening chime: a rising arpeggio of bells, about 1.3 s
#   02.wav  page swoosh: a noise band sweeping upwards, 0.3 s
#   03.wav  logo tone: a soft bell, 0.5 s
#   04.wav  key click: 40 ms
#
# The WAV files are 44.1 kHz 16-bit mono, the music is a 96 kbit/s mono MP3 made by LAME.
# Noise is drawn from SoX's fixed random sequence (-R), so every run writes the same sound.
#
#   scripts/make-sounds.sh            write the files into the work tree
#   scripts/make-sounds.sh DIR        write them into DIR instead
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/modules/media}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=44100
sox_() { sox -R -V1 "$@"; }
# A silent-started mono voice: new FILE SECONDS SYNTH-ARGS...
tone() {
  local file=$1 len=$2; shift 2
  sox_ -n -r $rate -c 1 -b 16 "$file" synth "$len" "$@"
}
# Mixes WAV files, each placed at its start time: mixat OUT FILE START [FILE START...]
mixat() {
  local target=$1; shift
  local inputs=() i=0
  while [ $# -gt 0 ]; do
    sox_ "$1" "$work/at$i.wav" pad "$2"
    inputs+=("$work/at$i.wav"); i=$((i + 1)); shift 2
  done
  if [ ${#inputs[@]} -eq 1 ]; then
    cp "${inputs[0]}" "$target"
  else
    sox_ -m "${inputs[@]}" "$target"
  fi
}

# Frequency of a MIDI note number.
hz() { awk -v n="$1" 'BEGIN { printf "%.3f", 440 * 2 ^ ((n - 69) / 12) }'; }

# A bell: a sine with two softer partials, fading out like a struck bar.
# bell OUT NOTE SECONDS
bell() {
  local f; f=$(hz "$2")
  tone "$work/b1.wav" "$3" sine "$f"
  tone "$work/b2.wav" "$3" sine "$(awk -v f="$f" 'BEGIN { print f * 2 }')"
  tone "$work/b3.wav" "$3" sine "$(awk -v f="$f" 'BEGIN { print f * 3.01 }')"
  sox_ -m -v 0.6 "$work/b1.wav" -v 0.2 "$work/b2.wav" -v 0.07 "$work/b3.wav" "$1" \
    fade p 0.004 "$3" "$(awk -v l="$3" 'BEGIN { print l - 0.004 }')"
}

# --- 00.mp3: the background loop -------------------------------------------------------
# Four chords of 8 s (Cmaj9, Am9, Fmaj7, G6sus2), each a pad of sines and triangles
# fading in and out over 3 s, so neighbouring chords overlap by 2 s. The last chord's
# tail, past 32 s, is laid over the start: the loop ends where it begins.
chord=8 overlap=2
chords=("48 64 67 71 74" "45 64 67 72 71" "41 64 69 72 76" "43 62 67 71 76")
parts=()
for i in "${!chords[@]}"; do
  read -r bass n1 n2 n3 n4 <<<"${chords[$i]}"
  len=$((chord + overlap))
  tone "$work/bass.wav" $len sine "$(hz "$bass")"
  # Each voice on its own channel: mix them down to one.
  sox_ -n -r $rate -c 4 -b 16 "$work/pad4.wav" synth $len \
    triangle "$(hz "$n1")" triangle "$(hz "$n2")" sine "$(hz "$n3")" sine "$(hz "$n4")"
  sox_ "$work/pad4.wav" "$work/pad.wav" remix -
  sox_ -m -v 0.3 "$work/bass.wav" -v 0.5 "$work/pad.wav" "$work/chord$i.wav" \
    lowpass 1800 tremolo 0.25 25 fade q 3 $len 3
  parts+=("$work/chord$i.wav" $((i * chord)))
done
mixat "$work/full.wav" "${parts[@]}"
loop=$(( ${#chords[@]} * chord ))
sox_ "$work/full.wav" "$work/head.wav" trim 0 $loop
sox_ "$work/full.wav" "$work/tail.wav" trim $loop
sox_ -m "$work/head.wav" "$work/tail.wav" -b 16 "$work/music.wav" \
  reverb 40 50 80 gain -n -14
# LAME writes the encoder delay and padding into the file's header, so a player that
# honours it (GStreamer does) plays exactly the loop, with no silence added at its ends.
lame --quiet --noreplaygain -b 96 -m m "$work/music.wav" "$out/00.mp3"

# --- 01.wav: the opening chime: C5 E5 G5 C6, 0.12 s apart ----------------------------
parts=()
for i in 0 1 2 3; do
  note=$((72 + (i == 1 ? 4 : i == 2 ? 7 : i == 3 ? 12 : 0)))
  bell "$work/n$i.wav" $note 1.0
  parts+=("$work/n$i.wav" "$(awk -v i=$i 'BEGIN { print i * 0.12 }')")
done
mixat "$work/chime.wav" "${parts[@]}"
sox_ "$work/chime.wav" -b 16 "$out/01.wav" trim 0 1.35 reverb 30 50 50 fade t 0 1.35 0.2 gain -n -3

# --- 02.wav: the page swoosh: pink noise through a band rising from 400 Hz to 5 kHz ----
# Eight overlapping slices, each through a higher band, cross-fade into one sweep.
parts=()
for i in 0 1 2 3 4 5 6 7; do
  centre=$(awk -v i=$i 'BEGIN { printf "%d", 400 * (12.5 ^ (i / 7)) }')
  tone "$work/s$i.wav" 0.08 pinknoise
  sox_ "$work/s$i.wav" "$work/sf$i.wav" gain -3 sinc -n 256 "$((centre / 2))-$((centre * 2))" \
    fade h 0.04 0.08 0.04
  parts+=("$work/sf$i.wav" "$(awk -v i=$i 'BEGIN { print i * 0.035 }')")
done
mixat "$work/swoosh.wav" "${parts[@]}"
sox_ "$work/swoosh.wav" -b 16 "$out/02.wav" trim 0 0.3 fade q 0.1 0.3 0.15 gain -n -6

# --- 03.wav: the logo tone: a soft bell on A5 over its lower octave --------------------
bell "$work/l1.wav" 81 0.5
bell "$work/l2.wav" 69 0.5
sox_ -m -v 0.7 "$work/l1.wav" -v 0.35 "$work/l2.wav" -b 16 "$out/03.wav" gain -n -4

# --- 04.wav: the key click: a noise tick on a quickly dying 1.8 kHz tone ---------------
tone "$work/c1.wav" 0.04 sine 1800
tone "$work/c2.wav" 0.04 whitenoise
sox_ "$work/c2.wav" "$work/c2f.wav" gain -6 highpass 3000 fade p 0 0.04 0.037
sox_ -m -v 0.5 "$work/c1.wav" -v 0.5 "$work/c2f.wav" -b 16 "$out/04.wav" \
  fade p 0.001 0.04 0.032 gain -n -6

# SoX reads the MP3 without its header's trimming, a little longer: the music's length
# is that of the loop it was encoded from.
for f in 00.mp3 01.wav 02.wav 03.wav 04.wav; do
  seconds=$(soxi -D "$out/$f")
  [ "$f" = 00.mp3 ] && seconds=$(soxi -D "$work/music.wav")
  printf '%s  %6.2f s  %7d bytes\n' "$f" "$seconds" "$(stat -c %s "$out/$f")"
done
