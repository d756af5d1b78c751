#include "StlAscii.h"

#include <QObject>
#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "StlStream.h"

namespace {
using Point = Model::Point;

// Longer words are no keyword and no number: only their start is kept.
constexpr qsizetype longest_word = 256;

struct Word {
    QByteArray text; // its first longest_word bytes
    bool longer = false;
    int line = 0;

    bool is(const char* keyword) const {
        return !longer && text.compare(keyword, Qt::CaseInsensitive) == 0;
    }
    bool is_end() const { return text.isEmpty(); }
    QString quoted() const {
        return QStringLiteral("\"%1\"").arg(quoted_text(text + (longer ? "\xe2\x80\xa6" : "")));
    }
};

// The words of a text, each with its line; any blank separates them, and
// a line ends with LF, CR or CR LF.
class Words {
public:
    explicit Words(StlStream& in)
        : in_(in) {}

    Word next() {
        if (pushed_) {
            pushed_ = false;
            return last_;
        }
        skip_blanks();
        Word word;
        word.line = line_;
        for (int c = in_.peek(); c >= 0 && !is_blank(c); c = in_.peek()) {
            in_.get();
            if (word.text.size() < longest_word) {
                word.text += char(c);
            } else {
                word.longer = true;
            }
        }
        return last_ = word;
    }
    // The word just read is read again next.
    void push_back() { pushed_ = true; }
    int line() const { return line_; }

private:
    static bool is_blank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    void skip_blanks() {
        for (int c = in_.peek(); c >= 0 && is_blank(c); c = in_.peek()) {
            in_.get();
            if (c == '\n' || (c == '\r' && in_.peek() != '\n')) {
                ++line_;
            }
        }
    }

    StlStream& in_;
    int line_ = 1;
    Word last_;
    bool pushed_ = false;
};

class AsciiReader {
public:
    explicit AsciiReader(StlStream& in)
        : in_(in)
        , words_(in)
        , c_locale_(newlocale(LC_ALL_MASK, "C", nullptr)) {}
    ~AsciiReader() { freelocale(c_locale_); }
    AsciiReader(const AsciiReader&) = delete;
    AsciiReader& operator=(const AsciiReader&) = delete;

    ModelReading read() {
        ModelReading reading;
        if (!read_solids()) {
            reading.cancelled = in_.stopped();
            reading.error = problem_;
            return reading;
        }
        finish_reading(reading, builder_, QString());
        if (reading.model) {
            reading.model->solids = solids_;
        }
        return reading;
    }

private:
    // "solid NAME", facets, "endsolid NAME", as many times as the file has.
    bool read_solids() {
        Word word = words_.next();
        while (word.is("solid")) {
            skip_name(word.line, "facet");
            if (!read_facets()) {
                return false;
            }
            ++solids_;
            const int endsolid_line = words_.line();
            skip_name(endsolid_line, "solid");
            word = words_.next();
        }
        return word.is_end() || fail_at(word, "solid");
    }

    // The rest of a line that names a solid; a whole file on one line has
    // its first keyword end the name.
    void skip_name(int line, const char* keyword) {
        for (Word word = words_.next();; word = words_.next()) {
            if (word.is_end() || word.line != line || word.is(keyword) || word.is("endsolid")) {
                words_.push_back();
                return;
            }
        }
    }

    bool read_facets() {
        for (Word word = words_.next();; word = words_.next()) {
            if (word.is("endsolid")) {
                return true;
            }
            if (word.is_end()) {
                problem_ = QObject::tr("the file ends before \"endsolid\"");
                return false;
            }
            if (!word.is("facet")) {
                return fail_at(word, "facet");
            }
            if (!read_facet()) {
                return false;
            }
        }
    }

    // "facet normal X Y Z", "outer loop", three "vertex X Y Z", "endloop",
    // "endfacet"; a facet without its normal is read too.
    bool read_facet() {
        Point normal{};
        if (words_.next().is("normal")) {
            if (!read_point(normal)) {
                return false;
            }
        } else {
            words_.push_back();
        }
        Point corners[3];
        int lines[3];
        if (!expect("outer") || !expect("loop")) {
            return false;
        }
        for (int c = 0; c < 3; ++c) {
            if (!expect("vertex") || !read_point(corners[c])) {
                return false;
            }
            lines[c] = keyword_line_;
        }
        if (!expect("endloop") || !expect("endfacet")) {
            return false;
        }
        for (int c = 0; c < 3; ++c) {
            if (!is_finite(corners[c])) {
                problem_ = QObject::tr("line %1: %2")
                               .arg(lines[c])
                               .arg(not_a_number(builder_.triangles_read() + 1));
                return false;
            }
        }
        builder_.add_triangle(corners[0], corners[1], corners[2],
                              is_finite(normal) ? normal : Point{});
        return true;
    }

    bool expect(const char* keyword) {
        const Word word = words_.next();
        if (word.is(keyword)) {
            keyword_line_ = word.line;
            return true;
        }
        if (word.is_end()) {
            problem_ = in_.stopped() ? QString()
                                     : QObject::tr("the file ends in the middle of a triangle");
            return false;
        }
        return fail_at(word, keyword);
    }

    bool fail_at(const Word& word, const char* keyword) {
        problem_ = QObject::tr("line %1: %2 where \"%3\" belongs")
                       .arg(word.line)
                       .arg(word.quoted(), QLatin1String(keyword));
        return false;
    }

    // Three numbers as C's strtod reads them, whatever the user's locale.
    bool read_point(Point& point) {
        for (double& value : point) {
            const Word word = words_.next();
            char* end = nullptr;
            value = word.longer ? 0 : strtod_l(word.text.constData(), &end, c_locale_);
            if (word.is_end() || word.longer || end != word.text.constData() + word.text.size()) {
                problem_ = QObject::tr("line %1: %2 is not a coordinate")
                               .arg(word.is_end() ? keyword_line_ : word.line)
                               .arg(word.quoted());
                return false;
            }
        }
        return true;
    }

    StlStream& in_;
    Words words_;
    locale_t c_locale_;
    ModelBuilder builder_;
    int solids_ = 0;
    // The line of the keyword read last: a number missing at the end of the
    // file is told at its keyword's line.
    int keyword_line_ = 0;
    QString problem_;
};
} // namespace

ModelReading read_ascii_stl(StlStream& in) {
    return AsciiReader(in).read();
}
