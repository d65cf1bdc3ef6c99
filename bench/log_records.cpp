#include "log_records.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

#include "log_report.h"
#include "program.h"

namespace {

constexpr auto no_match = std::string_view::npos;

// Reads one field with from_chars, which takes the same text fprintf writes
// (an optional '-', no '+', no leading blanks, "inf" and "nan" for %f) and
// reports overflow instead of wrapping.
template <typename value_type, typename... format>
std::size_t read_field(std::string_view text, std::size_t at, value_type& value, format... fmt) {
    const char* const first = text.data() + at;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value, fmt...);
    if (error != std::errc{}) return no_match;
    return at + static_cast<std::size_t>(end - first);
}

struct record_form {
    std::string_view form;
    record_kind kind;
};

std::vector<record_form> record_forms() {
    std::vector<record_form> forms{{result_form, record_kind::passed}};
    for (const program p : {program::velmora, program::tessik}) {
        forms.push_back({serial_failure_form(p), record_kind::serial_failure});
        forms.push_back({parallel_failure_form(p), record_kind::parallel_failure});
    }
    return forms;
}

bool is_blank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Line numbers of positions asked for in increasing order, counting each
// newline once however many positions are asked about.
class line_counter {
public:
    explicit line_counter(std::string_view text) : text_(text) {}

    long long line_of(std::size_t position) {
        line_ += std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_),
                            text_.begin() + static_cast<std::ptrdiff_t>(position), '\n');
        counted_ = position;
        return line_;
    }

private:
    std::string_view text_;
    std::size_t counted_ = 0;
    long long line_ = 1;
};

}  // namespace

std::size_t match_form(std::string_view form, std::string_view text, std::size_t at,
                       form_fields& fields) {
    fields = form_fields{};
    for (std::size_t f = 0; f < form.size() && at != no_match; ++f) {
        if (form[f] == '%') {
            if (++f == form.size()) return no_match;
            if (form[f] == 'd' && fields.integer_count < fields.integers.size()) {
                at = read_field(text, at, fields.integers[fields.integer_count++]);
                continue;
            }
            if (form[f] == 'f' && fields.real_count < fields.reals.size()) {
                at = read_field(text, at, fields.reals[fields.real_count++],
                                std::chars_format::fixed);
                continue;
            }
            if (form[f] != '%') return no_match;
            // "%%" goes on as the literal '%'.
        }
        if (at >= text.size() || text[at] != form[f]) return no_match;
        ++at;
    }
    return at;
}

log_contents read_log_records(std::string_view text) {
    const std::vector<record_form> forms = record_forms();
    // Where a record can start: after damaged text the reader looks for the
    // next record only at these characters.
    std::string first_characters;
    for (const record_form& f : forms) first_characters += f.form.substr(0, 1);

    log_contents contents;
    line_counter lines(text);

    const auto note_unreadable = [&](std::size_t begin, std::size_t end) {
        while (begin < end && is_blank(text[begin])) ++begin;
        while (end > begin && is_blank(text[end - 1])) --end;
        if (begin == end) return;
        const long long first = lines.line_of(begin);
        contents.unreadable.push_back({first, lines.line_of(end - 1)});
    };

    std::size_t unreadable_from = no_match;
    std::size_t at = 0;
    form_fields fields;
    while (at < text.size()) {
        std::size_t end = no_match;
        record_kind kind = record_kind::passed;
        for (const record_form& f : forms) {
            end = match_form(f.form, text, at, fields);
            if (end != no_match) {
                kind = f.kind;
                break;
            }
        }
        if (end == no_match) {
            if (unreadable_from == no_match) unreadable_from = at;
            at = std::min(text.find_first_of(first_characters, at + 1), text.size());
            continue;
        }
        if (unreadable_from != no_match) {
            note_unreadable(unreadable_from, at);
            unreadable_from = no_match;
        }

        log_record record;
        record.kind = kind;
        std::size_t text_start = at;
        while (text_start < end && is_blank(text[text_start])) ++text_start;
        record.line = lines.line_of(text_start);
        if (kind == record_kind::passed) {
            record.size = fields.integers[0];
            record.sequential_seconds = fields.reals[0];
            record.parallel_seconds = fields.reals[1];
            record.speedup = fields.reals[2];
        } else {
            record.location = fields.integers[0];
        }
        contents.records.push_back(record);
        at = end;
    }
    if (unreadable_from != no_match) note_unreadable(unreadable_from, text.size());
    return contents;
}
