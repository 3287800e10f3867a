#pragma once
// The text of a photometric file read line by line or number by number, keeping the line
// number of what was read last for messages ("LINE: what was expected").
#include "catalogue/photometry/PhotometricData.h"

#include <string>
#include <vector>

namespace qv {

class PhotometricText {
public:
    // Lines end with LF, CR LF or CR; a leading UTF-8 byte order mark is skipped. The
    // text is read as AsUtf8 gives it.
    explicit PhotometricText(const std::string& text);

    // Whether a word other than blanks and commas is left (nothing is taken).
    bool HasMoreWords() { return FillToken(); }
    // The 1-based number of the line read last (the first line before any read).
    int LineNumber() const { return static_cast<int>(m_line == 0 ? 1 : m_line); }

    // The next whole line (what is left of it after numbers were taken from it). False at
    // the end of the text.
    bool NextLine(std::string& line);
    // The next number of a stream of numbers separated by blanks, tabs or commas across
    // lines. False with error "LINE: <what> expected, found ..." when the stream ends or
    // the word is not a number.
    bool NextNumber(double& value, const std::string& what, std::string& error);
    // NextNumber for a whole number from low to high.
    bool NextCount(int& value, int low, int high, const std::string& what, std::string& error);

    // "LINE: message" for the line read last.
    std::string Problem(const std::string& message) const;

private:
    bool FillToken();

    std::vector<std::string> m_lines;
    size_t m_line = 0;   // lines taken so far
    std::string m_rest;  // unread part of the current line of numbers
    std::string m_token; // a word taken but not yet used
};

// The text of a photometric file as UTF-8: valid UTF-8 as it is; otherwise each byte is
// taken as an ISO-8859-1 (Latin-1) character, the encoding of many such files (a no-break
// space 0xA0 in a keyword line becomes U+00A0), so that names taken from the file are
// valid UTF-8.
std::string AsUtf8(const std::string& text);

// A decimal number, with a comma accepted as the decimal mark ("0,85"): the text trimmed,
// one comma at most and no dot beside it.
bool ReadDecimal(const std::string& text, double& value);

// Whether a number is a whole number within [low, high].
bool IsCount(double value, int low, int high);

// Reads planes × angles intensities, plane by plane: next(value) gives the next one (false
// with error set when it cannot), problem(message) words a refusal at the line read last.
// Each value must not be negative; it is multiplied by scale and must then stay within
// kMaxCandela.
template <typename Next, typename Problem>
bool ReadIntensityGrid(std::vector<std::vector<double>>& grid, size_t planes, size_t angles,
                       double scale, Next next, Problem problem, std::string& error) {
    grid.assign(planes, std::vector<double>(angles));
    for (std::vector<double>& plane : grid) {
        for (double& value : plane) {
            if (!next(value)) {
                return false;
            }
            if (value < 0.0) {
                error = problem("an intensity is negative");
                return false;
            }
            value *= scale;
            if (value > kMaxCandela) {
                error = problem("an intensity times its scale exceeds 1e10 cd");
                return false;
            }
        }
    }
    return true;
}

} // namespace qv
