#pragma once
// The picture of the room grid's results ("计算结果图形输出"), in the panel's drawing
// form: "点" every grid point as a dot, "线" the borders between the legend's bands,
// "面" every grid cell filled; each in the colour of the band its illuminance falls in,
// with the legend beside it. "保存BMP" writes the picture as a bitmap file of 646 × 505
// pixels.
#include "panels/FileDialogSpec.h"
#include "panels/GridPanel.h"

#include <QDialog>
#include <QImage>

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

    // The picture drawn into a white image of the size.
    QImage Render(const QSize& size) const;
    // "保存BMP": asks for the file and writes the picture; false on Cancel or failure
    // (a failure is reported).
    bool SavePicture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const GridPanel& m_panel;
    ChooseFile m_chooseFile;
    QWidget* m_canvas = nullptr;
};

// The bitmap dialog of the picture.
const FileDialogSpec& BitmapDialog();

} // namespace qv
