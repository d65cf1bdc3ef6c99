#include "chart.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <string>
#include <utility>

#include "fixed_text.h"
#include "summary.h"

namespace {

constexpr double width = 900;
constexpr double height = 600;
constexpr double plot_left = 80;
constexpr double plot_right = 860;
constexpr double plot_top = 70;
constexpr double plot_bottom = 520;

// A speedup past this is a damaged value, not a measurement; drawing it would
// squash every real line flat against the axis.
constexpr double largest_drawn_speedup = 1e9;

constexpr const char* run_colour = "#3b6ea8";
constexpr const char* median_colour = "#c0392b";

bool drawable(double speedup) {
    return std::isfinite(speedup) && std::fabs(speedup) <= largest_drawn_speedup;
}

// Sizes as people read them: 10 000 000.
std::string grouped(long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, " ");
    return digits;
}

std::string coordinate(double v) { return fixed_text(v, 1); }

struct axes {
    double decade_low = 4;  // log10 of the left edge
    double decade_high = 7;
    double speedup_low = 0;
    double speedup_high = 1;
    double speedup_step = 1;

    double x(double size) const {
        return plot_left + (std::log10(size) - decade_low) / (decade_high - decade_low) *
                               (plot_right - plot_left);
    }
    double y(double speedup) const {
        return plot_bottom -
               (speedup - speedup_low) / (speedup_high - speedup_low) * (plot_bottom - plot_top);
    }
};

// Whole decades around the sizes, and a speedup range with room above the
// highest value, split into steps of 1, 2 or 5 times a power of ten.
axes choose_axes(const std::vector<log_run>& runs, const std::vector<int>& sizes,
                 unsigned ideal_threads) {
    axes a;
    if (!sizes.empty() && sizes.front() > 0) {
        a.decade_low = std::floor(std::log10(sizes.front()));
        a.decade_high = std::max(std::ceil(std::log10(sizes.back())), a.decade_low + 1);
    }
    double low = 0;
    double high = std::max(1.0, static_cast<double>(ideal_threads));
    for (const log_run& run : runs) {
        for (const run_entry& entry : run.entries) {
            const double s = entry.record.speedup;
            if (entry.record.kind != record_kind::passed || !drawable(s)) continue;
            low = std::min(low, s);
            high = std::max(high, s);
        }
    }
    high *= 1.15;
    const double rough_step = (high - low) / 6;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough_step)));
    a.speedup_step = magnitude * 10;
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (magnitude * multiple >= rough_step) {
            a.speedup_step = magnitude * multiple;
            break;
        }
    }
    a.speedup_low = std::floor(low / a.speedup_step) * a.speedup_step;
    a.speedup_high = std::ceil(high / a.speedup_step) * a.speedup_step;
    return a;
}

void write_axes(std::ostream& out, const axes& a) {
    out << "<g stroke=\"#e3e3e3\" stroke-width=\"1\">\n";
    for (double decade = a.decade_low; decade < a.decade_high; ++decade) {
        for (int multiple = 2; multiple < 10; ++multiple) {
            const std::string x = coordinate(a.x(multiple * std::pow(10.0, decade)));
            out << "<line x1=\"" << x << "\" y1=\"" << plot_top << "\" x2=\"" << x << "\" y2=\""
                << plot_bottom << "\"/>\n";
        }
    }
    out << "</g>\n<g stroke=\"#c8c8c8\" stroke-width=\"1\">\n";
    for (double decade = a.decade_low; decade <= a.decade_high; ++decade) {
        const std::string x = coordinate(a.x(std::pow(10.0, decade)));
        out << "<line x1=\"" << x << "\" y1=\"" << plot_top << "\" x2=\"" << x << "\" y2=\""
            << plot_bottom << "\"/>\n";
    }
    const int steps =
        static_cast<int>(std::lround((a.speedup_high - a.speedup_low) / a.speedup_step));
    for (int i = 0; i <= steps; ++i) {
        const std::string y = coordinate(a.y(a.speedup_low + i * a.speedup_step));
        out << "<line x1=\"" << plot_left << "\" y1=\"" << y << "\" x2=\"" << plot_right
            << "\" y2=\"" << y << "\"/>\n";
    }
    out << "</g>\n";

    out << "<rect x=\"" << plot_left << "\" y=\"" << plot_top << "\" width=\""
        << plot_right - plot_left << "\" height=\"" << plot_bottom - plot_top
        << "\" fill=\"none\" stroke=\"#555\"/>\n";

    out << "<g font-size=\"13\" fill=\"#333\">\n";
    for (double decade = a.decade_low; decade <= a.decade_high; ++decade) {
        out << "<text x=\"" << coordinate(a.x(std::pow(10.0, decade))) << "\" y=\""
            << plot_bottom + 20 << "\" text-anchor=\"middle\">"
            << grouped(std::llround(std::pow(10.0, decade))) << "</text>\n";
    }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(a.speedup_step))));
    for (int i = 0; i <= steps; ++i) {
        const double value = a.speedup_low + i * a.speedup_step;
        out << "<text x=\"" << plot_left - 8 << "\" y=\"" << coordinate(a.y(value) + 4)
            << "\" text-anchor=\"end\">" << fixed_text(value, decimals) << "</text>\n";
    }
    out << "</g>\n";

    out << "<text x=\"" << (plot_left + plot_right) / 2 << "\" y=\"" << plot_bottom + 50
        << "\" text-anchor=\"middle\" font-size=\"15\">elements sorted (logarithmic scale)</text>\n"
        << "<text transform=\"translate(" << plot_left - 50 << ' ' << (plot_top + plot_bottom) / 2
        << ") rotate(-90)\" text-anchor=\"middle\" font-size=\"15\">"
           "speedup (sequential time / parallel time)</text>\n";
}

// A line through points, broken where a point is missing: its pieces are
// drawn as a path, a piece of one point as a dot.
class broken_line {
public:
    void add(double x, double y) {
        if (!open_) pieces_.emplace_back();
        pieces_.back().emplace_back(x, y);
        open_ = true;
    }
    void gap() { open_ = false; }

    void write(std::ostream& out, const std::string& line_attributes,
               const std::string& dot_attributes, double dot_radius) const {
        std::string d;
        for (const auto& piece : pieces_) {
            if (piece.size() < 2) continue;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                d += (i == 0 ? (d.empty() ? "M" : " M") : " L") + coordinate(piece[i].first) + ',' +
                     coordinate(piece[i].second);
            }
        }
        if (!d.empty()) out << "<path d=\"" << d << "\" " << line_attributes << "/>\n";
        for (const auto& piece : pieces_) {
            if (piece.size() != 1) continue;
            out << "<circle cx=\"" << coordinate(piece[0].first) << "\" cy=\""
                << coordinate(piece[0].second) << "\" r=\"" << dot_radius << "\" " << dot_attributes
                << "/>\n";
        }
    }

private:
    std::vector<std::vector<std::pair<double, double>>> pieces_;
    bool open_ = false;
};

}  // namespace

void write_chart(std::ostream& out, const std::vector<log_run>& runs, const std::vector<int>& sizes,
                 unsigned ideal_threads) {
    const axes a = choose_axes(runs, sizes, ideal_threads);
    const log_summary summary = summarise(runs, sizes);

    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\" font-family=\"sans-serif\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << width / 2
        << "\" y=\"30\" text-anchor=\"middle\" font-size=\"19\" font-weight=\"bold\">"
           "Speedup of tbb::parallel_sort over std::sort</text>\n";
    std::size_t failures = 0;
    for (const run_summary& r : summary.runs) failures += r.failures;
    out << "<text x=\"" << width / 2
        << "\" y=\"52\" text-anchor=\"middle\" font-size=\"13\" "
           "fill=\"#555\">"
        << runs.size() << (runs.size() == 1 ? " run, " : " runs, ") << failures
        << (failures == 1 ? " failed trial" : " failed trials")
        << " (a failure leaves a gap in its run's line)</text>\n";

    write_axes(out, a);

    // Faint enough that where many runs agree the colour deepens.
    const double run_opacity =
        std::clamp(3.0 / static_cast<double>(std::max<std::size_t>(runs.size(), 1)), 0.02, 0.5);
    const std::string faint = "class=\"run\" fill=\"none\" stroke=\"" + std::string(run_colour) +
                              "\" stroke-width=\"1.2\" stroke-opacity=\"" +
                              fixed_text(run_opacity, 3) + "\"";
    const std::string faint_dot = "class=\"run\" fill=\"" + std::string(run_colour) +
                                  "\" fill-opacity=\"" + fixed_text(run_opacity, 3) + "\"";
    out << "<g>\n";
    for (const log_run& run : runs) {
        broken_line line;
        std::size_t next_position = 0;
        for (const run_entry& entry : run.entries) {
            if (entry.position != next_position) line.gap();
            next_position = entry.position + 1;
            if (entry.record.kind != record_kind::passed || !drawable(entry.record.speedup)) {
                line.gap();
                continue;
            }
            line.add(a.x(entry.size), a.y(entry.record.speedup));
        }
        line.write(out, faint, faint_dot, 2);
    }
    out << "</g>\n";

    if (ideal_threads > 0) {
        const std::string y = coordinate(a.y(ideal_threads));
        out << "<line class=\"ideal\" x1=\"" << plot_left << "\" y1=\"" << y << "\" x2=\""
            << plot_right << "\" y2=\"" << y
            << "\" stroke=\"#333\" stroke-width=\"1.5\" stroke-dasharray=\"7 5\"/>\n"
            << "<text x=\"" << plot_right - 6 << "\" y=\"" << coordinate(a.y(ideal_threads) - 6)
            << "\" text-anchor=\"end\" font-size=\"13\" fill=\"#333\" stroke=\"white\" "
               "stroke-width=\"4\" paint-order=\"stroke\">ideal: "
            << ideal_threads << (ideal_threads == 1 ? " hardware thread" : " hardware threads")
            << "</text>\n";
    }

    broken_line median_line;
    for (const size_summary& s : summary.sizes) {
        if (drawable(s.median_speedup)) {
            median_line.add(a.x(s.size), a.y(s.median_speedup));
        } else {
            median_line.gap();
        }
    }
    const std::string bold = "class=\"median\" fill=\"none\" stroke=\"" +
                             std::string(median_colour) +
                             "\" stroke-width=\"3.5\" stroke-linejoin=\"round\"";
    const std::string bold_dot = "class=\"median\" fill=\"" + std::string(median_colour) + "\"";
    median_line.write(out, bold, bold_dot, 4);

    // The legend sits top left, where small sizes leave the chart empty.
    const double lx = plot_left + 14;
    const double ly = plot_top + 18;
    out << "<g font-size=\"13\" fill=\"#333\">\n"
        << "<rect x=\"" << lx - 8 << "\" y=\"" << ly - 12
        << "\" width=\"150\" height=\"66\" "
           "fill=\"white\" fill-opacity=\"0.85\" stroke=\"#ccc\"/>\n"
        << "<line x1=\"" << lx << "\" y1=\"" << ly - 4 << "\" x2=\"" << lx + 28 << "\" y2=\""
        << ly - 4 << "\" stroke=\"" << run_colour
        << "\" stroke-width=\"1.2\" stroke-opacity=\"0.6\"/>\n"
        << "<text x=\"" << lx + 36 << "\" y=\"" << ly << "\">one run</text>\n"
        << "<line x1=\"" << lx << "\" y1=\"" << ly + 16 << "\" x2=\"" << lx + 28 << "\" y2=\""
        << ly + 16 << "\" stroke=\"" << median_colour << "\" stroke-width=\"3.5\"/>\n"
        << "<text x=\"" << lx + 36 << "\" y=\"" << ly + 20 << "\">median of runs</text>\n"
        << "<line x1=\"" << lx << "\" y1=\"" << ly + 36 << "\" x2=\"" << lx + 28 << "\" y2=\""
        << ly + 36 << "\" stroke=\"#333\" stroke-width=\"1.5\" stroke-dasharray=\"7 5\"/>\n"
        << "<text x=\"" << lx + 36 << "\" y=\"" << ly + 40 << "\">ideal speedup</text>\n"
        << "</g>\n</svg>\n";
}
