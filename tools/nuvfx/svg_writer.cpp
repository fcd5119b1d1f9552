#include "tools/nuvfx/svg_writer.h"

#include <cmath>
#include <cstdio>

#include "tools/nuvfx/utf8_text.h"

namespace nuv::nuvfx {

std::string SvgNumber(double value) {
    const long long tenths = std::llround(value * 10.0);
    std::string out = std::to_string(tenths / 10);
    if (tenths < 0 && tenths > -10) out = "-0";
    const long long decimal = std::llabs(tenths % 10);
    if (decimal != 0) out += "." + std::to_string(decimal);
    if (out == "-0") out = "0";
    return out;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    // What is not UTF-8 (a file name in another encoding) becomes U+FFFD.
    for (char ch : WellFormedUtf8(text)) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            // Control characters other than tab and newline are not allowed in XML.
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n') out += ch;
        }
    }
    return out;
}

void SvgPath::Rectangle(double x, double y, double width, double height) {
    data_ += "M" + SvgNumber(x) + " " + SvgNumber(y) + "h" + SvgNumber(width) + "v" + SvgNumber(height) + "h" +
             SvgNumber(-width) + "z";
}

void SvgPath::HorizontalLine(double x1, double x2, double y) { data_ += "M" + SvgNumber(x1) + " " + SvgNumber(y) + "H" + SvgNumber(x2); }

void SvgPath::VerticalLine(double x, double y1, double y2) { data_ += "M" + SvgNumber(x) + " " + SvgNumber(y1) + "V" + SvgNumber(y2); }

void SvgPath::MoveTo(double x, double y) { data_ += "M" + SvgNumber(x) + " " + SvgNumber(y); }

void SvgPath::HorizontalTo(double x) { data_ += "H" + SvgNumber(x); }

void SvgPath::VerticalTo(double y) { data_ += "V" + SvgNumber(y); }

SvgDocument::SvgDocument(double width, double height, const std::string& title)
    : width_(width), height_(height), title_(title) {}

void SvgDocument::Rectangle(double x, double y, double width, double height, const std::string& attributes) {
    body_ += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" + SvgNumber(width) +
             "\" height=\"" + SvgNumber(height) + "\" " + attributes + "/>\n";
}

void SvgDocument::Path(const SvgPath& path, const std::string& attributes) {
    if (path.Empty()) return;
    body_ += "<path " + attributes + " d=\"" + path.Data() + "\"/>\n";
}

void SvgDocument::Text(double x, double y, const std::string& text, const std::string& attributes) {
    body_ += "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" " + attributes + ">" + XmlEscaped(text) +
             "</text>\n";
}

std::string SvgDocument::Finish() const {
    const std::string w = SvgNumber(width_), h = SvgNumber(height_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\" font-family=\"sans-serif\">\n<title>" + XmlEscaped(title_) + "</title>\n" + body_ + "</svg>\n";
}

}  // namespace nuv::nuvfx
