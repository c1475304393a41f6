#include "ui/gauge/gaugeport.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

GaugePort::GaugePort(QObject* parent) : QObject(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, [this] { emit received(port_->readAll()); });
}

QString GaugePort::deviceFor(int n) {
    if (n < 1 || n > 9)
        return QString();
    const QString named = qEnvironmentVariable(qPrintable(QStringLiteral("VENTREL_COM%1").arg(n)));
    if (!named.isEmpty())
        return named;
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    std::sort(devices.begin(), devices.end());
    return n <= devices.size() ? devices.at(n - 1) : QString();
}

bool GaugePort::open(int n) {
    close();
    const QString device = deviceFor(n);
    if (device.isEmpty())
        return false;
    port_->setPortName(device);
    if (!port_->open(QIODevice::ReadOnly))
        return false;
    const bool set =
        port_->setBaudRate(QSerialPort::Baud9600) && port_->setParity(QSerialPort::NoParity) &&
        port_->setDataBits(QSerialPort::Data8) && port_->setStopBits(QSerialPort::OneStop) &&
        port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        close();
        return false;
    }
    return true;
}

void GaugePort::close() {
    if (port_->isOpen())
        port_->close();
}

bool GaugePort::isOpen() const {
    return port_->isOpen();
}
