#include "Registry.h"

namespace {
constexpr long kFileNotFound = 2;
constexpr long kMoreData = 234;
} // namespace

void MemoryRegistry::setValue(const QString &key, const QString &name, quint32 type,
                              const QByteArray &data) {
    m_keys[key.toLower()][name.toLower()] = {type, data};
}

long MemoryRegistry::openKey(quint32 root, const QString &path, quint32, quintptr &handle) {
    if (root != kLocalMachine || !m_keys.contains(path.toLower()))
        return kFileNotFound;
    m_openKeys.append(path.toLower());
    handle = static_cast<quintptr>(m_openKeys.size());
    return 0;
}

long MemoryRegistry::queryValue(quintptr handle, const QString &name, quint32 &type,
                                QByteArray &buffer) {
    if (handle == 0 || handle > static_cast<quintptr>(m_openKeys.size()))
        return kFileNotFound;
    const auto &values = m_keys[m_openKeys[handle - 1]];
    const auto value = values.constFind(name.toLower());
    if (value == values.constEnd())
        return kFileNotFound;
    if (value->data.size() > buffer.size())
        return kMoreData;
    type = value->type;
    buffer.replace(0, value->data.size(), value->data);
    return 0;
}
