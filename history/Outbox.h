#pragma once
// Records a run could not write to its history, kept in a file of the user's data folder
// (readable only by its user) until a later run that reaches the history writes them. One file
// per history; a lock beside it lets programs ending at once add to it without losing any.

#include <QString>
#include <vector>

#include "history/Location.h"
#include "history/Store.h"

namespace history {

class Outbox {
  public:
    explicit Outbox(const Location& where);
    const QString& path() const { return path_; }

    // Adds to what waits. False with the reason when the file cannot be written; true with a
    // reason when a damaged file had to be set aside first.
    bool add(const std::vector<Event>& events, QString* why);
    // Writes what waits to `store`, before anything of the run's own, and empties the file.
    // False with the reason when it could not; what waits stays for the next run. A damaged
    // file is set aside (named .damaged) and said, and the rest goes on.
    bool drain(Store& store, QString* why);
    // How many records wait; -1 with the reason when the file is damaged.
    int count(QString* why = nullptr) const;

  private:
    bool read(std::vector<Event>* events, QString* why) const;
    bool save(const std::vector<Event>& events, QString* why) const;

    QString path_;
};

}  // namespace history
