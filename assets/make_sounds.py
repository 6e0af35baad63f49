#!/usr/bin/env python3
"""Synthesises every sound effect Quorl plays and writes them as WAV files.

    system/sounds/round_start.wav  a round begins: a rising square-wave arpeggio
    system/sounds/crash.wav        a line dies: a falling buzz over a noise crunch
    system/sounds/pickup.wav       a pickup is collected: two bright bell notes
    system/sounds/rocket.wav       a rocket is fired: a rising noise whoosh
    system/sounds/blast.wav        a rocket's blast: a deep boom with crackle
    system/sounds/round_over.wav   a round ends: a falling triangle-wave motif
    system/sounds/match_over.wav   the match ends: a fanfare into a held chord
    system/sounds/gap.wav          a gap opens: a very soft, short sine puff

Every sound is computed here from oscillators, noise with a fixed seed,
filters and envelopes; nothing is sampled. The files are 16-bit PCM mono at
22050 Hz, and running the script again writes the same bytes. They are
committed, so building and playing never need Python.

    python3 assets/make_sounds.py [--sheet sheet.png]
    python3 assets/make_sounds.py --sheet mix.png --draw FILE.wav...

--sheet also draws each sound's waveform and spectrogram (needs Pillow);
with --draw it draws the given WAV files (mono or stereo) instead and
writes no sound.
"""

import argparse
import cmath
import math
import os
import random
import struct
import sys
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOUND_DIR = os.path.join(ROOT, "system", "sounds")
RATE = 22050
NYQUIST = RATE / 2
# Peak level of every sound but the gap's, in dB below full scale.
PEAK_DBFS = -3.0


# --------------------------------------------------------------------------
# Building blocks: each returns or transforms a list of floats in -1..1.


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def sweep(start, end, seconds):
    """Frequency per sample, gliding exponentially from start to end Hz."""
    n = int(round(seconds * RATE))
    return [start * (end / start) ** (i / max(1, n - 1)) for i in range(n)]


def additive(freqs, partial_gain):
    """A band-limited wave: harmonic k weighted by partial_gain(k), only
    below Nyquist so that no partial folds back as a harsh alias."""
    out, phase = [], 0.0
    for f in freqs:
        phase += 2 * math.pi * f / RATE
        s, k = 0.0, 1
        while k * f < NYQUIST * 0.9:
            g = partial_gain(k)
            if g:
                s += g * math.sin(k * phase)
            k += 1
        out.append(s)
    return out


def sine(freqs):
    return additive(freqs, lambda k: 1.0 if k == 1 else 0.0)


def saw(freqs):
    return additive(freqs, lambda k: 1.0 / k)


def soft_square(freqs):
    # Odd harmonics falling faster than a true square's: hollow but not shrill.
    return additive(freqs, lambda k: k ** -1.4 if k % 2 else 0.0)


def triangle(freqs):
    return additive(freqs, lambda k: (-1) ** (k // 2) / (k * k) if k % 2 else 0.0)


def noise(rng, seconds):
    return [rng.uniform(-1.0, 1.0) for _ in range(int(round(seconds * RATE)))]


def lowpass(x, cutoffs):
    """One-pole low-pass; cutoffs is one frequency per sample or a constant."""
    out, y = [], 0.0
    for i, s in enumerate(x):
        fc = cutoffs[min(i, len(cutoffs) - 1)] if isinstance(cutoffs, list) else cutoffs
        a = 1.0 - math.exp(-2 * math.pi * fc / RATE)
        y += a * (s - y)
        out.append(y)
    return out


def bandpass(x, centres, q):
    """Chamberlin state-variable band-pass whose centre may move per sample."""
    out, low, band = [], 0.0, 0.0
    damp = 1.0 / q
    for i, s in enumerate(x):
        f = 2 * math.sin(math.pi * min(centres[min(i, len(centres) - 1)], RATE / 6) / RATE)
        low += f * band
        high = s - low - damp * band
        band += f * high
        out.append(band)
    return out


def decay(x, tau, attack=0.004, release=0.01):
    """Linear attack of `attack` seconds, then exponential decay with time
    constant tau, and a linear release to zero over the last `release`
    seconds, so that a note cut short ends without a click."""
    a, r = max(1, int(attack * RATE)), max(1, int(release * RATE))
    return [s * min(1.0, i / a, (len(x) - i) / r) * math.exp(-i / (tau * RATE))
            for i, s in enumerate(x)]


def drive(x, amount):
    """Soft saturation: thickens a sound and rounds off its peaks."""
    return [math.tanh(amount * s) / math.tanh(amount) for s in x]


def gain(x, g):
    return [g * s for s in x]


def mix_into(base, x, at=0.0, g=1.0):
    """Adds x into base from `at` seconds on, growing base when x runs longer."""
    start = int(round(at * RATE))
    if start + len(x) > len(base):
        base.extend([0.0] * (start + len(x) - len(base)))
    for i, s in enumerate(x):
        base[start + i] += g * s
    return base


def finish(x, peak_dbfs=PEAK_DBFS, fade_in=0.002, fade_out=0.02):
    """Raised-cosine fades to exact zero at both ends (no click where a sound
    starts or is cut), the mean taken out, then scaled to the peak level."""
    mean = sum(x) / len(x)
    x = [s - mean for s in x]
    n_in, n_out = max(1, int(fade_in * RATE)), max(1, int(fade_out * RATE))
    for i in range(n_in):
        x[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(n_out):
        x[-1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    peak = max(abs(s) for s in x)
    return gain(x, 10 ** (peak_dbfs / 20) / peak)


def note(wave_fn, freq, seconds, tau, vibrato=0.0):
    """One decaying note; vibrato is the depth of a 5.5 Hz wobble that fades
    in over the first quarter second."""
    freqs = [freq * (1 + vibrato * math.sin(2 * math.pi * 5.5 * i / RATE)
                     * min(1, i / (0.25 * RATE)))
             for i in range(int(round(seconds * RATE)))]
    return decay(wave_fn(freqs), tau)


# --------------------------------------------------------------------------
# The sounds


def round_start(rng):
    # C5 E5 G5 climbing quickly to a ringing C6: "ready, go".
    out = silence(0.75)
    for i, f in enumerate((523.25, 659.25, 783.99)):
        mix_into(out, note(soft_square, f, 0.09, 0.05), 0.085 * i)
    mix_into(out, note(soft_square, 1046.5, 0.48, 0.16), 0.255, 1.2)
    # A slightly detuned copy of the last note gives it a little shimmer.
    mix_into(out, note(soft_square, 1049.5, 0.48, 0.16), 0.255, 0.5)
    return finish(out, fade_out=0.04)


def crash(rng):
    # A sawtooth buzz plunging from 900 Hz to 55 Hz over a burst of noise
    # whose low-pass closes from 5 kHz: the line breaks up and is gone.
    buzz = decay(saw(sweep(900, 55, 0.5)), 0.16, attack=0.002)
    crunch = decay(lowpass(noise(rng, 0.35), sweep(5000, 300, 0.35)), 0.06, attack=0.001)
    out = mix_into(mix_into(silence(0.5), buzz, 0, 0.8), crunch, 0, 1.6)
    return finish(drive(out, 2.0), fade_out=0.05)


def pickup(rng):
    # B5 then E6, each a sine with a quick upward glide and a soft inharmonic
    # partial (2.76 times the pitch, as a small bell has): a bright "bling".
    out = silence(0.32)
    for at, f in ((0.0, 987.77), (0.065, 1318.51)):
        glide = [f * (0.94 + 0.06 * min(1.0, i / (0.012 * RATE))) for i in range(int(0.25 * RATE))]
        tone = mix_into(sine(glide), sine([g * 2.76 for g in glide]), 0, 0.18)
        mix_into(out, decay(tone, 0.07 if at == 0 else 0.1, attack=0.002), at)
    return finish(out, fade_out=0.03)


def rocket(rng):
    # Noise through a band-pass whose centre rises from 350 Hz to 3.2 kHz (the
    # whoosh), over a low sawtooth rising an octave and a half (the motor).
    n = int(0.55 * RATE)
    swell = [min(1.0, i / (0.03 * RATE)) * math.exp(-i / (0.2 * RATE)) for i in range(n)]
    whoosh = bandpass(noise(rng, 0.55), sweep(350, 3200, 0.55), q=2.5)
    motor = lowpass(saw(sweep(110, 310, 0.55)), 1200)
    out = [swell[i] * (1.4 * whoosh[i] + 0.35 * motor[i]) for i in range(n)]
    return finish(out, fade_out=0.06)


def blast(rng):
    # A sine whose pitch falls from 120 Hz to 32 Hz (the boom's body), a short
    # bright noise hit on top (the punch), rumbling low-passed noise, and
    # sparse crackles fading over half a second; all softly saturated.
    body = decay(sine(sweep(120, 32, 1.2)), 0.35, attack=0.003)
    hit = decay(lowpass(noise(rng, 0.05), 6000), 0.012, attack=0.0005)
    rumble = decay(lowpass(noise(rng, 1.2), sweep(1800, 120, 1.2)), 0.28, attack=0.002)
    crackle = silence(1.2)
    for _ in range(70):
        at = int(rng.random() ** 2 * 0.6 * RATE)
        crackle[at] += rng.choice((-1.0, 1.0)) * math.exp(-at / (0.2 * RATE))
    crackle = lowpass(crackle, 2500)
    out = mix_into(mix_into(mix_into(body, hit, 0, 0.9), rumble, 0, 2.2), crackle, 0, 2.5)
    return finish(drive(out, 1.8), fade_out=0.15)


def round_over(rng):
    # G5 E5 C5 falling in a mellow triangle wave; the last note held longer.
    out = silence(0.9)
    for i, f in enumerate((783.99, 659.25)):
        mix_into(out, note(triangle, f, 0.2, 0.1), 0.14 * i)
    mix_into(out, note(triangle, 523.25, 0.62, 0.22, vibrato=0.004), 0.28)
    return finish(out, fade_out=0.08)


def match_over(rng):
    # A quick C E G fanfare in a soft brass (low-passed sawtooth), then the C
    # major chord with C6 on top, held with vibrato and dying away.
    out = silence(1.5)
    for i, f in enumerate((523.25, 659.25, 783.99)):
        mix_into(out, lowpass(note(saw, f, 0.12, 0.08), 2500), 0.1 * i)
    for f in (523.25, 659.25, 783.99, 1046.5):
        held = lowpass(note(saw, f, 1.2, 0.45, vibrato=0.006), 2200)
        mix_into(out, held, 0.3, 0.6)
    return finish(out, fade_out=0.2)


def gap(rng):
    # 90 ms of sine falling from 620 to 500 Hz under a Hann window, with a
    # breath of low-passed noise: audible, but soft and round enough to repeat
    # every few seconds per line without tiring.
    n = int(0.09 * RATE)
    tone = sine(sweep(620, 500, 0.09))
    breath = lowpass(noise(rng, 0.09), 900)
    window = [0.5 - 0.5 * math.cos(2 * math.pi * i / (n - 1)) for i in range(n)]
    out = [window[i] * (tone[i] + 0.25 * breath[i]) for i in range(n)]
    return finish(out, peak_dbfs=-20.0, fade_in=0.005, fade_out=0.01)


# Each sound draws its noise from a generator of its own seed, so changing one
# sound leaves the others' bytes alone.
SOUNDS = [
    ("round_start", round_start),
    ("crash", crash),
    ("pickup", pickup),
    ("rocket", rocket),
    ("blast", blast),
    ("round_over", round_over),
    ("match_over", match_over),
    ("gap", gap),
]


# --------------------------------------------------------------------------
# Files


def write_wav(path, samples):
    pcm = struct.pack(f"<{len(samples)}h",
                      *(max(-32768, min(32767, int(round(s * 32767)))) for s in samples))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm)


def read_wav(path):
    """The channels of a 16-bit PCM WAV as lists of floats, and its rate."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            sys.exit(f"{path}: not 16-bit PCM")
        channels, rate = w.getnchannels(), w.getframerate()
        data = w.readframes(w.getnframes())
    values = struct.unpack(f"<{len(data) // 2}h", data)
    return [[v / 32768 for v in values[c::channels]] for c in range(channels)], rate


# --------------------------------------------------------------------------
# The sheet: waveform and spectrogram of each sound, on one time scale.


def load_pil():
    try:
        from PIL import Image, ImageDraw, ImageFont
    except ImportError:
        # pyenv and venv interpreters usually lack Pillow; Debian's python3-pil
        # belongs to the system interpreter, so retry with that one.
        system_python = "/usr/bin/python3"
        if os.path.exists(system_python) and \
                os.path.realpath(sys.executable) != os.path.realpath(system_python):
            os.execv(system_python, [system_python] + sys.argv)
        raise
    return Image, ImageDraw, ImageFont


def fft(x):
    """Iterative radix-2 FFT of a list whose length is a power of two."""
    n = len(x)
    a = list(x)
    j = 0
    for i in range(1, n):
        bit = n >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j |= bit
        if i < j:
            a[i], a[j] = a[j], a[i]
    size = 2
    while size <= n:
        step = cmath.exp(-2j * math.pi / size)
        for start in range(0, n, size):
            w = 1
            for k in range(size // 2):
                u, v = a[start + k], a[start + k + size // 2] * w
                a[start + k], a[start + k + size // 2] = u + v, u - v
                w *= step
        size *= 2
    return a


def spectrogram(samples, width, height, seconds_per_px, rate):
    """Magnitude in dB per column (Hann-windowed 256-point frames), mapped to
    `height` rows from 0 Hz at the bottom to Nyquist at the top."""
    size = 256
    window = [0.5 - 0.5 * math.cos(2 * math.pi * i / size) for i in range(size)]
    columns = []
    for col in range(width):
        centre = int(col * seconds_per_px * rate)
        if centre >= len(samples):
            break
        frame = [samples[centre - size // 2 + i] * window[i]
                 if 0 <= centre - size // 2 + i < len(samples) else 0.0 for i in range(size)]
        spectrum = fft(frame)
        mags = [20 * math.log10(abs(spectrum[b]) / (size / 4) + 1e-9) for b in range(size // 2)]
        columns.append([mags[min(size // 2 - 1, (height - 1 - row) * (size // 2) // height)]
                        for row in range(height)])
    return columns


def heat(db):
    """-80..0 dB to a black-blue-orange-white ramp."""
    t = max(0.0, min(1.0, (db + 80) / 80))
    stops = [(0, 0, 0), (40, 40, 150), (230, 110, 30), (255, 255, 220)]
    pos = t * (len(stops) - 1)
    i = min(len(stops) - 2, int(pos))
    f = pos - i
    return tuple(int(stops[i][c] + f * (stops[i + 1][c] - stops[i][c])) for c in range(3))


def draw_sheet(entries, path):
    """entries: (name, channels, rate, byte size). One row per entry: the label,
    the waveform (one band per channel) and the spectrogram of their mean."""
    Image, ImageDraw, ImageFont = load_pil()
    label_font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 13)
    small_font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11)
    longest = max(len(ch[0]) / rate for _, ch, rate, _ in entries)
    # At least 200 pixels a second, so that a longer mix is not squeezed.
    panel_w = int(min(1000, max(520, 200 * longest)))
    label_w, wave_h, spec_h, pad = 200, 100, 100, 10
    seconds_per_px = longest / panel_w
    row_h = max(wave_h, spec_h) + 2 * pad
    sheet = Image.new("RGB", (label_w + 2 * panel_w + 3 * pad, row_h * len(entries) + pad),
                      (24, 24, 28))
    d = ImageDraw.Draw(sheet)
    for r, (name, channels, rate, size) in enumerate(entries):
        y0 = pad + r * row_h
        seconds = len(channels[0]) / rate
        peak = max(max(abs(s) for s in ch) for ch in channels)
        d.text((pad, y0), name, font=label_font, fill=(240, 240, 240))
        info = [f"{seconds:.3f} s, {rate} Hz", f"{len(channels)} channel(s)",
                f"peak {20 * math.log10(peak + 1e-12):.1f} dBFS", f"{size} bytes"]
        for i, line in enumerate(info):
            d.text((pad, y0 + 20 + 15 * i), line, font=small_font, fill=(170, 170, 180))
        # Waveform: min and max of each pixel column, a band per channel.
        wx = label_w
        d.rectangle((wx, y0, wx + panel_w - 1, y0 + wave_h - 1), fill=(10, 10, 14))
        band = wave_h // len(channels)
        for c, ch in enumerate(channels):
            mid = y0 + c * band + band // 2
            d.line((wx, mid, wx + panel_w - 1, mid), fill=(60, 60, 70))
            for x in range(panel_w):
                a, b = int(x * seconds_per_px * rate), int((x + 1) * seconds_per_px * rate)
                part = ch[a:max(b, a + 1)]
                if not part:
                    break
                hi, lo = max(part), min(part)
                d.line((wx + x, mid - hi * band / 2, wx + x, mid - lo * band / 2),
                       fill=(90, 200, 255) if c == 0 else (255, 170, 90))
        # One-second ticks, so that lengths and onsets can be read off.
        for t in range(int(longest) + 1):
            x = wx + t / seconds_per_px
            d.line((x, y0 + wave_h - 4, x, y0 + wave_h - 1), fill=(200, 200, 200))
        # Spectrogram of the channels' mean.
        sx = label_w + panel_w + pad
        mean = [sum(ch[i] for ch in channels) / len(channels) for i in range(len(channels[0]))]
        d.rectangle((sx, y0, sx + panel_w - 1, y0 + spec_h - 1), fill=(0, 0, 0))
        for x, column in enumerate(spectrogram(mean, panel_w, spec_h, seconds_per_px, rate)):
            for y, db in enumerate(column):
                sheet.putpixel((sx + x, y0 + y), heat(db))
        d.text((sx + panel_w - 60, y0 + 2), f"{rate // 2} Hz", font=small_font,
               fill=(200, 200, 200))
    sheet.save(path, format="PNG", optimize=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sheet", metavar="PNG",
                        help="also draw each sound's waveform and spectrogram")
    parser.add_argument("--draw", metavar="WAV", nargs="+",
                        help="draw these WAV files into the sheet instead of making the sounds")
    args = parser.parse_args()
    if args.draw and not args.sheet:
        parser.error("--draw needs --sheet")
    if args.sheet:
        load_pil()  # before any work, since it may restart the script under another Python
    entries = []
    if args.draw:
        for path in args.draw:
            channels, rate = read_wav(path)
            entries.append((os.path.basename(path), channels, rate, os.path.getsize(path)))
    else:
        os.makedirs(SOUND_DIR, exist_ok=True)
        for seed, (name, make) in enumerate(SOUNDS, start=1):
            samples = make(random.Random(seed))
            path = os.path.join(SOUND_DIR, name + ".wav")
            write_wav(path, samples)
            size = os.path.getsize(path)
            print(f"wrote system/sounds/{name}.wav ({len(samples) / RATE:.3f} s, {size} bytes)")
            channels, rate = read_wav(path)
            entries.append((name, channels, rate, size))
    if args.sheet:
        draw_sheet(entries, os.path.abspath(args.sheet))
        print(f"wrote sheet {args.sheet}")


if __name__ == "__main__":
    main()
