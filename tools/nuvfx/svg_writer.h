// A small writer of SVG text: a document of a given pixel size, elements
// appended as they come, numbers written short (at most one decimal), text
// escaped for XML. Many shapes of one look go into one path, which keeps a
// large picture small and quick for a browser to draw.
#pragma once

#include <string>

namespace nuv::nuvfx {

// "12", "12.5", "-3": one decimal at most, no trailing zero.
std::string SvgNumber(double value);
// Text with &, <, >, " and ' escaped.
std::string XmlEscaped(const std::string& text);

// The data of one path, built shape by shape.
class SvgPath {
public:
    void Rectangle(double x, double y, double width, double height);
    void HorizontalLine(double x1, double x2, double y);
    void VerticalLine(double x, double y1, double y2);
    void MoveTo(double x, double y);
    void HorizontalTo(double x);
    void VerticalTo(double y);

    bool Empty() const { return data_.empty(); }
    const std::string& Data() const { return data_; }

private:
    std::string data_;
};

class SvgDocument {
public:
    SvgDocument(double width, double height, const std::string& title);

    // `attributes` are written as given, e.g. fill="#fff".
    void Rectangle(double x, double y, double width, double height, const std::string& attributes);
    void Path(const SvgPath& path, const std::string& attributes);  // nothing for an empty path
    // `text` is escaped here.
    void Text(double x, double y, const std::string& text, const std::string& attributes);

    // The whole document.
    std::string Finish() const;

private:
    std::string body_;
    double width_;
    double height_;
    std::string title_;
};

}  // namespace nuv::nuvfx
