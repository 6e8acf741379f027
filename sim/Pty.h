#pragma once
// The pseudo-terminal the camera sits behind: the camera holds the master, the program opens
// the slave (/dev/pts/N) as its serial port.

#include <string>

namespace camsim {

class Pty {
  public:
    explicit Pty(int baud);  // throws std::system_error
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    int fd() const { return master_; }
    const std::string& path() const { return path_; }
    // The speed the program set on its side equals the camera's.
    bool speedMatches() const;
    // No process has the program's side open.
    bool hungUp() const;
    // Bytes the program left unread when it closed its port are lost, as on a real port.
    void discardUnread() const;

    static bool supportedBaud(int baud);

  private:
    void attach();

    int master_ = -1;
    std::string path_;
    unsigned speed_ = 0;
};

}  // namespace camsim
