#pragma once

#include <QString>
#include <QVariantMap>

namespace platform
{

// A failure of the object store, as a value the caller reports or logs.
struct StoreError {
    enum Code {
        None = 0,
        NoStore,        // the coordinator has no store (it could not be opened)
        FileUnreadable, // the store file exists but cannot be read
        FileCorrupt,    // the store file is not a store of this model
        WriteFailed,    // the store file could not be replaced
        UnknownEntity,  // a request names an entity the model does not have
        ObjectNotFound, // an object ID that names no object of the store
    };

    Code code = None;
    QString message;
    QVariantMap userInfo;

    bool isError() const { return code != None; }
    QString description() const { return message; }

    static StoreError make(Code code, const QString& message, const QString& path = {})
    {
        StoreError e;
        e.code = code;
        e.message = message;
        if (!path.isEmpty())
            e.userInfo.insert(QStringLiteral("NSFilePath"), path);
        return e;
    }
};

inline void setError(StoreError* out, const StoreError& error)
{
    if (out)
        *out = error;
}

} // namespace platform
