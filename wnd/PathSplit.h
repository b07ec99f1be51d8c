// CPathSplit: splits a path into drive, directory, name and extension.
//
// All fields are zero-terminated UTF-8 strings held inside the object; the
// pointers returned stay valid until the next Set or Clear. Separators are
// "\" and "/".
#pragma once

class CPathSplit
{
public:
    enum
    {
        // The system's limit of 260 UTF-16 units, each at most three bytes
        // of UTF-8: every path the system takes fits. Also the limit of
        // folder and file name.
        kPathSize = 3 * 260,
        kDriveSize = 3,
        kPartSize = 3 * 256  // directory, name and extension
    };

    CPathSplit() { Clear(); }

    // Splits the path. 0 for a null path, and for a path that does not fit
    // (kPathSize bytes or more, or a part over its field): then the fields keep
    // their previous contents. Else 1.
    int Set(const char* path);
    void Clear();

    const char* GetPath() const { return m_Path; }
    const char* GetFolder() const { return m_Folder; }      // drive + directory
    const char* GetFileName() const { return m_FileName; }  // name + extension
    const char* GetDrive() const { return m_Drive; }        // "C:" or empty
    const char* GetDir() const { return m_Dir; }            // ends in separator
    const char* GetName() const { return m_Name; }
    const char* GetExt() const { return m_Ext; }  // with its dot

private:
    char m_Path[kPathSize];
    char m_Folder[kPathSize];
    char m_FileName[kPathSize];
    char m_Drive[kDriveSize];
    char m_Dir[kPartSize];
    char m_Name[kPartSize];
    char m_Ext[kPartSize];
};
