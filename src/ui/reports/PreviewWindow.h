#pragma once

#include <QPrintPreviewDialog>

class QPrintPreviewWidget;
class QToolBar;

// The print preview as the window shows it. It opens at page width, so that the text can be
// read without zooming, in the size the user last gave it (kept in the profile when it closes).
class PreviewWindow : public QPrintPreviewDialog {
    Q_OBJECT
public:
    PreviewWindow(QPrinter* printer, QWidget* parent);

    QPrintPreviewWidget* previewWidget() const;
    // The dialog's tool bar.
    QToolBar* toolBar() const;
    // Adds an action of the caller's own at the tool bar's end and widens the window, as far as
    // the screen allows, so that the action is in sight rather than behind the overflow arrow.
    QAction* addToolAction(const QString& text);

    // The size a first preview opens in: most of the screen's height, about a page wide.
    static QSize defaultSize(const QRect& available);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    bool m_zoomSet = false;
    QRect m_available;
};
