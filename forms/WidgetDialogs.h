#pragma once
// The real Qt dialogs behind the program's Dialogs.

#include "app/Dialogs.h"

class QWidget;

class WidgetDialogs : public Dialogs {
  public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    MsgAnswer message(const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    void ask(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
             std::function<void(MsgAnswer)> answered) override;
    std::optional<FileChoice> openFile(const FileRequest& request) override;
    std::optional<FileChoice> saveFile(const FileRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;

  private:
    QWidget* parent_;
};

// Converts the design's "Description|*.ext|..." filter text to Qt's "Description (*.ext);;..."
// form.
QString qtFilterFromDesign(const QString& filter);
