#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// A registry-like store of named values under keys: the Windows registry on Windows, an
// in-memory one elsewhere (empty) and in tests. Results follow the Windows calls: 0 is
// success.
class Registry {
public:
    static constexpr quint32 kLocalMachine = 0x80000002;
    static constexpr quint32 kTypeString = 1;
    static constexpr quint32 kTypeDword = 4;

    virtual ~Registry() = default;
    virtual long openKey(quint32 root, const QString &path, quint32 access, quintptr &handle) = 0;
    // Reads the value's bytes into buffer (at most its size); fails when they do not fit.
    virtual long queryValue(quintptr handle, const QString &name, quint32 &type,
                            QByteArray &buffer) = 0;
    virtual void closeKey(quintptr handle) = 0;
};

class MemoryRegistry : public Registry {
public:
    void setValue(const QString &key, const QString &name, quint32 type, const QByteArray &data);

    long openKey(quint32 root, const QString &path, quint32 access, quintptr &handle) override;
    long queryValue(quintptr handle, const QString &name, quint32 &type,
                    QByteArray &buffer) override;
    void closeKey(quintptr) override {}

private:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    QList<QString> m_openKeys;                    // handle - 1 indexes this list
    QHash<QString, QHash<QString, Value>> m_keys; // key path -> value name -> value
};
