#pragma once

#include <QApplication>
#include <QPalette>
#include <QStyle>

#include <utility>
#include <vector>

namespace ql::test {

// The dark palette people give the Fusion style: light text on dark greys.
inline QPalette darkFusionPalette() {
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(240, 240, 240), dimmed(127, 127, 127);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
    p.setColor(QPalette::Disabled, QPalette::Text, dimmed);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, dimmed);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    return p;
}

// A high-contrast theme: white on black, yellow selection.
inline QPalette highContrastPalette() {
    QPalette p(QColor(255, 255, 255), QColor(0, 0, 0));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Button, Qt::black);
    p.setColor(QPalette::Highlight, Qt::yellow);
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// The palettes a user may run under, by name: the style's own, dark Fusion, high contrast.
inline std::vector<std::pair<const char*, QPalette>> themePalettes() {
    return {{"standard", QApplication::style()->standardPalette()},
            {"dark Fusion", darkFusionPalette()},
            {"high contrast", highContrastPalette()}};
}

// Sets the application's palette for one scope, then puts the old one back.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette& palette) : m_old(QApplication::palette()) { QApplication::setPalette(palette); }
    ~PaletteScope() { QApplication::setPalette(m_old); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    QPalette m_old;
};

}  // namespace ql::test
