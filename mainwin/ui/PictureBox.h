#pragma once

#include "RulerMarks.h"

#include <QWidget>

// pichaupt: the container of the map and the status controls; its strip
// above the map shows the distance ruler.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setMarks(const QList<RulerMark>& marks);
    const QList<RulerMark>& marks() const { return m_marks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<RulerMark> m_marks; // x in twips
};
