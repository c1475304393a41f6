#pragma once

#include <QObject>
#include <QString>

class QSerialPort;

// The gauge's serial line: Com1 ... Com9 stand for this machine's serial devices in the order
// the system lists them (sorted by name), or for the device that VENTREL_COMn names (for
// example VENTREL_COM3=/dev/ttyUSB0, or a pseudo-terminal). Read only, 9600 bit/s, no
// parity, 8 data bits, 1 stop bit, no flow control.
class GaugePort : public QObject {
    Q_OBJECT
  public:
    explicit GaugePort(QObject* parent = nullptr);

    // The device Com `n` stands for; empty when there is none.
    static QString deviceFor(int n);

    // Closes the port that is open, then opens Com `n`; false when it cannot be opened
    // (absent, or held by another program).
    bool open(int n);
    void close();
    bool isOpen() const;

  signals:
    // Every character that arrives, in order, in chunks of one or more.
    void received(const QByteArray& chunk);

  private:
    QSerialPort* port_;
};
