#pragma once

#include <QImage>
#include <QWidget>

// The picture of the current page inside the preview's scroll box; paints only what is exposed.
class TPageImage : public QWidget
{
    Q_OBJECT

public:
    explicit TPageImage(QWidget *parent = nullptr);

    // Takes the page picture; its device pixel ratio says how many image pixels make a logical one.
    void SetPicture(QImage picture);
    const QImage &Picture() const { return FPicture; }
    QImage &Picture() { return FPicture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FPicture;
};
