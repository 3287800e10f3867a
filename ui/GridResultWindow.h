#pragma once
// The picture of the room grid's results ("计算结果图形输出"): the isolux picture
// ("等照度图", the smooth field with its labelled contours, the first view after a
// horizontal run) or one of the panel's drawing forms: "点" every grid point as a dot,
// "线" the borders between the legend's bands, "面" every grid cell filled; each in the
// colour of the band its illuminance falls in, with the legend beside it. "保存PNG" and
// "保存SVG" write the isolux picture (PNG at print resolution); "保存BMP" writes the view
// shown as a bitmap file of 646 × 505 pixels.
#include "panels/FileDialogSpec.h"
#include "panels/GridPanel.h"
#include "report/picture/IsoluxPicture.h"

#include <QDialog>
#include <QImage>

class QComboBox;

#include <functional>
#include <optional>
#include <string>

namespace qv {

class GridResultWindow : public QDialog {
    Q_OBJECT
public:
    using ChooseFile = std::function<std::optional<std::string>(const FileDialogSpec&)>;
    static constexpr int kPictureWidth = 646;
    static constexpr int kPictureHeight = 505;

    // Draws the panel's current results (the panel outlives the window).
    GridResultWindow(const GridPanel& panel, ChooseFile chooseFile, QWidget* parent);

    // The views of the window's list: the isolux picture, then the three forms.
    enum View { kIsolux = -1, kPoints = 0, kLines = 1, kAreas = 2 };

    // The panel's drawing form drawn into a white image of the size.
    QImage Render(const QSize& size) const;
    // The isolux picture drawn into a white image of the size (scaled to fit).
    QImage RenderIsolux(const QSize& size) const;
    // The view shown.
    QImage RenderView(const QSize& size) const;
    View CurrentView() const { return m_view; }
    void ShowView(View view);
    QComboBox* ViewList() const { return m_viewList; }
    // "保存BMP": asks for the file and writes the view shown; false on Cancel or failure
    // (a failure is reported).
    bool SavePicture();
    // "保存PNG" / "保存SVG": the isolux picture; false on Cancel or failure (reported).
    bool SavePng();
    bool SaveSvg();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage RenderForm(const QSize& size, int form) const;
    bool SaveIsolux(const FileDialogSpec& dialog, bool svg);

    const GridPanel& m_panel;
    ChooseFile m_chooseFile;
    IsoluxPicture m_isolux;
    View m_view = kIsolux;
    QComboBox* m_viewList = nullptr;
};

// The bitmap dialog of the picture, and the PNG and SVG dialogs of the isolux picture.
const FileDialogSpec& BitmapDialog();
const FileDialogSpec& PngPictureDialog();
const FileDialogSpec& SvgPictureDialog();

} // namespace qv
