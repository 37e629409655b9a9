#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

// Shows the plot's bitmap at its natural size; the bitmap follows the widget's size.
class TVue_image : public QWidget {
    Q_OBJECT
public:
    explicit TVue_image(QWidget* parent = nullptr);

    QImage image;
    std::function<void()> redimensionne; // the window's resize handling
    std::function<void()> double_clic;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};
