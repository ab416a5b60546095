#pragma once

#include <QObject>

namespace tw {

// SIGTERM and SIGHUP turned into a Qt signal on the event loop: the handler only writes the
// signal's number into a pipe, which a socket notifier reads. One object per process.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Throws WindowError when the pipe or the handlers cannot be set up.
  explicit TerminationSignals(QObject* parent = nullptr);
  // Gives the signals their default handling back.
  ~TerminationSignals() override;

 signals:
  void received(int signalNumber);

 private slots:
  void onReadable();

 private:
  static void handle(int signalNumber);

  int readEnd_ = -1;
};

}  // namespace tw
