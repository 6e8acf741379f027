#pragma once
// Small builders for the forms' controls: each control gets its designed name as objectName, so
// tests and the command line find it, and its caption and tool-tip as the user sees them.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>
#include <algorithm>

template <typename W>
W* named(W* widget, const QString& name, const QString& toolTip = QString()) {
    widget->setObjectName(name);
    if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
    return widget;
}

inline QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                               const QString& toolTip = QString()) {
    return named(new QPushButton(caption, parent), name, toolTip);
}

inline QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption,
                                const QString& toolTip = QString()) {
    return named(new QRadioButton(caption, parent), name, toolTip);
}

inline QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

inline QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QLabel(caption, parent), name);
}

// A line of ours (a note, a status, a port list): it wraps within the window's width instead
// of widening the window, however long its text.
inline QLabel* wrapWithinWindow(QLabel* label) {
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// Shows a line of ours; its whole text is its tool-tip too, for a word too long to wrap.
inline void showLine(QLabel* label, const QString& text) {
    label->setText(text);
    label->setToolTip(text);
}

// A pick-only list (editable = false) or a list that also takes typed text.
// A window a form opens starts no wider than that form, so the two fit the screen side by side.
inline void fitBeside(QWidget* window, const QWidget* form) {
    window->resize(std::min(window->width(), form->window()->width()), window->height());
}

inline QComboBox* makeList(QWidget* parent, const QString& name, bool editable = false) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(editable);
    return combo;
}

// Selects the entry with this text; false (selection unchanged) when there is none.
inline bool selectText(QComboBox* combo, const QString& text) {
    const int i = combo->findText(text);
    if (i < 0) return false;
    combo->setCurrentIndex(i);
    return true;
}

// Shows a text in a list: selects the entry when there is one, else puts the text in an
// editable list's box.
inline void showInList(QComboBox* combo, const QString& text) {
    if (selectText(combo, text)) return;
    if (combo->isEditable()) combo->setEditText(text);
}
