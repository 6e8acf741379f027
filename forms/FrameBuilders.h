#pragma once
// Frames whose controls sit in a row or a grid, for the settings tabs of the advanced form.

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "forms/FormWidgets.h"

namespace frames {

inline QGroupBox* row(QWidget* parent, const QString& name, const QString& caption) {
    QGroupBox* frame = makeFrame(parent, name, caption);
    new QHBoxLayout(frame);
    return frame;
}

inline QGroupBox* grid(QWidget* parent, const QString& name, const QString& caption) {
    QGroupBox* frame = makeFrame(parent, name, caption);
    new QGridLayout(frame);
    return frame;
}

template <typename W>
W* add(QWidget* frame, W* widget) {
    frame->layout()->addWidget(widget);
    return widget;
}

template <typename W>
W* at(QGroupBox* frame, W* widget, int row, int column, int columnSpan = 1) {
    static_cast<QGridLayout*>(frame->layout())->addWidget(widget, row, column, 1, columnSpan);
    return widget;
}

}  // namespace frames

// A caption above a list, both added to a frame.
inline QComboBox* labelledList(QGroupBox* frame, const QString& caption, const QString& name,
                               bool editable = false) {
    auto* box = new QWidget(frame);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(caption, box));
    QComboBox* list = makeList(box, name, editable);
    v->addWidget(list);
    frame->layout()->addWidget(box);
    return list;
}
