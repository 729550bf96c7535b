#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace resgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.7079457843841379;       // -3 dBFS
constexpr double kQuietPeak = 0.5011872336272722;  // -6 dBFS

// A half cosine from 0 to 1 as t goes from 0 to 1: starts and ends without a corner.
double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * t);
}

// Deterministic white noise in [-1, 1].
class Noise {
public:
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t state_ = 0x2545F491u;
};

// Second-order band-pass filter with unit gain at its centre.
class BandPass {
public:
    BandPass(double centre, double q, double rate) {
        const double w = 2 * kPi * centre / rate, alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2 * std::cos(w) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double Step(double x) {
        const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

struct Timbre {
    std::vector<double> harmonics;  // amplitude of partial 1, 2, 3...
    double attack;                  // seconds
    double decay;                   // per second, for the fundamental; upper partials faster
};

struct Note {
    double start, frequency, length, gain, pan;  // pan -1 left ... 1 right
    double bend = 0;                             // semitones reached by the end of the note
    double vibrato = 0;                          // depth in semitones, at 5.5 Hz
};

class StereoMix {
public:
    StereoMix(double seconds, int rate)
        : rate_(rate), left_(std::size_t(seconds * rate)), right_(left_.size()) {}

    void Play(const Note& n, const Timbre& timbre) {
        const std::size_t first = std::size_t(n.start * rate_);
        const std::size_t count = std::size_t(n.length * rate_);
        const double leftGain = n.gain * std::cos((n.pan + 1) * kPi / 4);
        const double rightGain = n.gain * std::sin((n.pan + 1) * kPi / 4);
        double phase = 0;
        for (std::size_t i = 0; i < count && first + i < left_.size(); ++i) {
            const double t = double(i) / rate_;
            const double semitones =
                n.bend * t / n.length + n.vibrato * std::sin(2 * kPi * 5.5 * t) * Smooth(t / 0.3);
            phase += 2 * kPi * n.frequency * std::pow(2.0, semitones / 12) / rate_;
            double v = 0;
            for (std::size_t k = 0; k < timbre.harmonics.size(); ++k) {
                const double decay = timbre.decay * (1 + 0.7 * double(k));
                v += timbre.harmonics[k] * std::exp(-decay * t) * std::sin(double(k + 1) * phase);
            }
            v *= Smooth(t / timbre.attack) * Smooth((n.length - t) / 0.06);
            left_[first + i] += v * leftGain;
            right_[first + i] += v * rightGain;
        }
    }

    Sound Finish(double peak) {
        std::vector<double> interleaved;
        for (std::size_t i = 0; i < left_.size(); ++i) {
            interleaved.push_back(left_[i]);
            interleaved.push_back(right_[i]);
        }
        return Master(std::move(interleaved), 2, rate_, 0.01, 0.08, peak);
    }

    // Fades both ends to silence and scales the loudest sample to the given peak.
    static Sound Master(std::vector<double> samples, int channels, int rate, double fadeIn, double fadeOut,
                        double target) {
        const std::size_t frames = samples.size() / std::size_t(channels);
        double peak = 0;
        for (std::size_t f = 0; f < frames; ++f) {
            const double t = double(f) / rate, rest = double(frames - 1 - f) / rate;
            const double fade = Smooth(t / fadeIn) * Smooth(rest / fadeOut);
            for (int c = 0; c < channels; ++c) {
                double& s = samples[f * std::size_t(channels) + std::size_t(c)];
                s *= fade;
                peak = std::max(peak, std::fabs(s));
            }
        }
        if (peak == 0) throw std::logic_error("silent sound");
        Sound sound{channels, rate, {}};
        for (double s : samples)
            sound.samples.push_back(std::int16_t(std::lround(s / peak * target * 32767)));
        return sound;
    }

private:
    int rate_;
    std::vector<double> left_, right_;
};

}  // namespace

Sound MakeDealSound() {
    const int rate = 44100;
    const std::size_t count = std::size_t(0.16 * rate);
    Noise noise;
    BandPass edge(3200, 0.9, rate), slap(900, 0.7, rate);
    std::vector<double> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double n = noise.Next();
        // The card's edge leaving the deck: a bright, quick swish.
        double v = edge.Step(n) * Smooth(t / 0.004) * std::exp(-t / 0.02);
        // The card landing on the cloth 45 ms later: softer, duller, with a little body.
        const double landed = t - 0.045;
        const double slapped = slap.Step(n);
        if (landed > 0) {
            const double envelope = Smooth(landed / 0.002) * std::exp(-landed / 0.014);
            v += 0.7 * slapped * envelope + 0.25 * std::sin(2 * kPi * 160 * landed) * envelope;
        }
        samples[i] = v;
    }
    return StereoMix::Master(std::move(samples), 1, rate, 0.001, 0.02, kPeak);
}

Sound MakeWinSound() {
    const Timbre bell{{1.0, 0.5, 0.28, 0.12, 0.06}, 0.008, 2.2};
    StereoMix mix(2.0, 48000);
    // A rising arpeggio, then the whole chord rings out an octave up.
    const double arpeggio[] = {523.25, 659.26, 783.99, 1046.50};
    for (int i = 0; i < 4; ++i) {
        mix.Play({0.14 * i, arpeggio[i], 0.6, 0.55, -0.45 + 0.3 * i}, bell);
    }
    const double chord[] = {523.25, 659.26, 783.99, 1046.50, 1318.51};
    for (int i = 0; i < 5; ++i) {
        mix.Play({0.62 + 0.02 * i, chord[i], 1.38 - 0.02 * i, 0.32, -0.5 + 0.25 * i, 0, 0.05}, bell);
    }
    return mix.Finish(kPeak);
}

Sound MakeLossSound() {
    const Timbre mellow{{1.0, 0.4, 0.18, 0.06}, 0.03, 1.1};
    StereoMix mix(2.0, 48000);
    // Three steps down a semitone at a time, then a long note that sags further.
    const double steps[] = {392.00, 369.99, 349.23};
    for (int i = 0; i < 3; ++i) {
        mix.Play({0.3 * i, steps[i], 0.34, 0.6, 0.2 - 0.2 * i}, mellow);
        mix.Play({0.3 * i, steps[i] / 2, 0.34, 0.3, -0.2 + 0.2 * i}, mellow);
    }
    mix.Play({0.9, 329.63, 1.1, 0.6, 0.1, -1.0, 0.25}, mellow);
    mix.Play({0.9, 164.81, 1.1, 0.3, -0.1, -1.0, 0.25}, mellow);
    // Held notes sound louder than the win's ringing ones at the same peak.
    return mix.Finish(kQuietPeak);
}

}  // namespace resgen
