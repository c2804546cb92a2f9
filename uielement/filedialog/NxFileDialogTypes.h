#pragma once

#include <QMetaType>
#include <QString>

// Resource types a caller asks the file dialog for; each has its filter.
enum EnumResType {
    RES_AUDIO = 0,
    RES_MEDIA = 1,
    RES_IMAGE = 2,
    RES_DOC = 3,
    RES_SHEET = 4,
    RES_FLASH = 5,
    RES_PDF = 6,
    RES_NXTX = 7,
    RES_PNG = 8,
    RES_PPT_IWB_PDF = 9,
    RES_PICTURE = 10,
    RES_COURSEWARE = 11
};

enum LoginState { LOGIN_OUT = 0, LOGIN_IN = 1 };

// A place and the sub-path below its root.
struct HistoryDir {
    QString strPass;
    QString strPath;
    QString strNetId;

    bool operator==(const HistoryDir& other) const
    {
        return strPass == other.strPass && strPath == other.strPath && strNetId == other.strNetId;
    }
};

// One file of a cloud listing.
struct CloudFile {
    QString id;
    QString name;
    QString ext;
    QString size;
    QString date;
    QString url;
    QString source;
    QString fullPath;
};

// One row of a listing, with the folder it sits in (recent files come from
// many folders).
struct NxFileEntry {
    QString name;
    bool isDir = false;
    QString date;
    QString size;
    QString pass;
    QString path;
    QString netId;
    QString fullPath; // local file or folder; empty for cloud entries
    QString folder;   // shown with rows gathered from many folders (recent files)
};

Q_DECLARE_METATYPE(LoginState)
