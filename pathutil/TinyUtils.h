// Path and file utilities: the locale's lead bytes, path strings, long and short forms, file search and
// the clipboard. Strings are byte strings in the ANSI code page (932 on the target) or, where they meet the
// file system and the user, the exact UTF-16 text beside them; positions are 1-based.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace TinyUtils {

// ---- Lead bytes and locale start-up -------------------------------------------------------------

enum TByteKind { bkSingle = 0, bkLead = 1, bkTrail = 2 };

// Module state, written only by Startup() and read-only afterwards.
extern int32_t PlatformId;
extern uint32_t LocaleId;
extern int32_t PrimaryLanguage;
extern uint8_t LeadByteSet[32]; // value v is bit v mod 8 of byte v div 8
extern bool MultiByteLocale;

// Module start-up: ReadPlatformId, then InitLocale. The process entry calls it first of all modules.
void Startup();
void ReadPlatformId();
void InitLocale();
bool IsWesternLanguage();
int CodePageOfLocale(uint32_t Locale);
void LoadLeadBytes();
inline bool IsLeadByteValue(unsigned char b) {
    return (LeadByteSet[b >> 3] >> (b & 7)) & 1;
}
TByteKind ClassifyByte(const char* Text, int32_t Index);   // 0-based
TByteKind ByteKindAt(const std::string& S, int32_t Index); // 1-based

// ---- Path strings ------------------------------------------------------------------------------
// Each operation takes a path's bytes or its exact UTF-16 text alike.

int LastDelimiterIndex(const std::string& Delimiters, const std::string& S);
std::string PathHead(const std::string& Path);
std::wstring PathHead(const std::wstring& Path);
std::string PathFolder(const std::string& Path);
std::wstring PathFolder(const std::wstring& Path);
std::string PathFileName(const std::string& Path);
std::wstring PathFileName(const std::wstring& Path);
std::string PathExt(const std::string& Path);
std::wstring PathExt(const std::wstring& Path);
std::string PathChangeExt(const std::string& Path, const std::string& Ext);
std::wstring PathChangeExt(const std::wstring& Path, const std::wstring& Ext);
bool IsBackslashAt(const std::string& S, int Index);
std::string AddTrailingBackslash(const std::string& S);
std::wstring AddTrailingBackslash(const std::wstring& S);
std::string DropTrailingBackslash(const std::string& S);
std::wstring DropTrailingBackslash(const std::wstring& S);
std::string UpperCaseLocale(const std::string& S);
std::wstring UpperCaseLocale(const std::wstring& S);
std::string DoubleAmpersands(const std::string& S);
std::wstring DoubleAmpersands(const std::wstring& S);
bool ContainsSpace(const std::string& S);
bool ContainsSpace(const std::wstring& S);
std::string IntToDecimal(int32_t N);
// Characters of S: a lead byte and the byte after it are one character.
size_t CharCount(const std::string& S);
// The classic path limit of MAX_PATH counts characters, not bytes: a Japanese path of 200 characters
// takes up to 400 bytes and is as legal as an ASCII one of 200.
constexpr size_t PathCharLimit = 260;
inline bool WithinPathLimit(const std::string& S) {
    return CharCount(S) <= PathCharLimit;
}
// Copies S and a zero byte into Buffer, which must hold S.size() + 1 bytes; returns Buffer.
char* StringToBuffer(char* Buffer, const std::string& S);

// ---- A path's kind -----------------------------------------------------------------------------------
// Read from the text alone, asking nothing: C:\x a drive's path, \\?\C:\x (or \\.\C:\x) the same in the
// device namespace, \\server\share a server's, \\?\UNC\server\share (or \\.\UNC\..., or the redirector's
// \\?\GLOBALROOT\Device\Mup\server\share) the same in the device namespace; every other path in
// \\?\ and \\.\ a device's (\\.\PIPE\x, \\?\Volume{...}, \\?\C:/x, where nothing turns the slash); the rest
// (relative, C:x, \x) none of these. Letters in either case. A path spelt with slashes is read in its
// backslash spelling (BackslashSpelling) before it is asked here.
enum TPathKind { pkOther, pkDrive, pkDeviceDrive, pkUnc, pkDeviceUnc, pkOtherDevice };
TPathKind PathKind(const std::string& Path);
TPathKind PathKind(const std::wstring& Path);
// The drive or share path a path stands for: \\?\C:\x is C:\x, \\?\UNC\s\sh\x is \\s\sh\x; a device's
// path stands for none (empty); every other path is itself.
std::string PlainPath(const std::string& Path);
std::wstring PlainPath(const std::wstring& Path);
// The drive of a drive's path in either namespace, 0 for A to 25 for Z; -1 for every other path.
int DriveIndex(const std::wstring& Path);
// A server's path in either namespace.
bool IsNetworkPath(const std::wstring& Path);
// The path that a reparse point's data (as FSCTL_GET_REPARSE_POINT gives it) names, for a symbolic
// link or a junction with an absolute target, in the device namespace where the data has it there
// (\\?\UNC\server\share, \\?\C:\x); empty for any other data, or data shorter than it says.
std::wstring ReparseTarget(const void* Data, size_t Size);
// The path as Windows reads it: every slash a backslash, except after \\?\, where the system changes
// nothing.
std::wstring BackslashSpelling(const std::wstring& Path);

// ---- Two readings of an item ---------------------------------------------------------------------

// What the program shows or copies of one item: its exact text, as the shell and the file system give
// it, and bytes of the system code page that stand for it (see StandInBytes). Where the code page holds
// the text, the bytes are exactly its own.
struct TText {
    std::string Bytes;
    std::wstring Wide;
};

// PlainPath of both readings, as the exact text's kind says: the bytes of a name the code page lacks
// may read as another kind (\\é\s is \\?\s in code page 932), and are never asked for one of their own.
TText PlainText(const TText& Path);

// The same operation applied to both readings; a reading that is empty (a conversion that failed)
// stays empty, never a form of nothing such as "".
template <typename Op> TText Each(const TText& T, Op op) {
    return {T.Bytes.empty() ? std::string() : op(T.Bytes), T.Wide.empty() ? std::wstring() : op(T.Wide)};
}

// A text converted to the system code page, '?' for each character the code page lacks; Exact when the
// bytes read back to exactly the text.
struct TConversion {
    std::string Bytes;
    bool Exact;
};

// The bytes that stand for an item: its own where they are exact, else those of its 8.3 form where
// the platform gives one that is exact, else its own with '?' in place of what the code page lacks.
// '?' cannot stand in a Windows file name, so that text names no file, and never another one; a
// best-fit look-alike (cafe.txt for café.txt) would.
std::string StandInBytes(const TConversion& Text, const TConversion& ShortForm);

// ---- Forms for other programs -----------------------------------------------------------------------
// Each is empty where the path has none.

// Every delimiter backslash written as a slash.
TText ForwardSlashPath(const TText& Path);
// /mnt/<drive letter>/... for a drive path; the path inside a distribution for \\wsl$\<distribution>\...
// and \\wsl.localhost\<distribution>\...
TText WslPath(const TText& Path);
// file:///C:/... or file://server/share/... from the exact text: its UTF-8 bytes, each but an ASCII
// letter, a digit, '-', '.', '_', '~' and '/' as %XX. ASCII, so both readings are alike.
TText FileUri(const TText& Path);

// Appends the UTF-8 bytes of Text, each but an ASCII letter, a digit, '-', '.', '_', '~' and '/' as %XX,
// as a file URI writes them; false (nothing appended) for a lone surrogate, which has no UTF-8.
bool AppendUriEncoded(const std::wstring& Text, std::string& Out);

// /c/... for a drive path, as Git Bash and MSYS2 read it; empty for every other path (a share's would be
// its slash form).
TText GitBashPath(const TText& Path);
// The path as a double-quoted string of JSON (and of C, C#, Java, JavaScript, Go, Python): quotes and
// backslashes escaped, nothing else but control characters.
TText StringLiteral(const TText& Path);
// The path as one argument of a command line: in double quotes where it holds a space or a character cmd
// reads as an operator, so that CommandLineToArgvW and cmd both give it back.
TText CommandLineArgument(const TText& Path);
// The last Depth names of the path with forward slashes: its path inside the Git work tree whose root
// lies Depth levels above it (see TWorkTrees); empty for the root itself and outside every work tree.
TText RepoRelativePath(const TText& Path, int Depth);
// The name a link to the path reads as: its file name, or the path itself for a drive root.
TText LinkName(const TText& Path);
// [name](uri), the name's characters that Markdown would read as markup escaped; empty without a URI.
TText MarkdownLink(const TText& Path, const TText& Uri);
// <a href="uri">name</a> in UTF-8, the name's &, <, > and " escaped; empty where the name has no UTF-8.
std::string HtmlAnchor(const std::wstring& Name, const std::string& Uri);
// The "HTML Format" clipboard text of a UTF-8 fragment: the header with the byte offsets of the HTML
// and of the fragment, then the HTML.
std::string HtmlClipboardText(const std::string& Fragment);

// Which Git work tree holds a path, asked of the file system one folder at a time: HoldsGit says whether
// a folder holds ".git" (a folder, or a file as in a worktree or a submodule). Each folder is asked once.
class TWorkTrees {
  public:
    typedef bool (*THoldsGit)(const std::wstring& Folder);
    explicit TWorkTrees(THoldsGit HoldsGit) : holdsGit_(HoldsGit) {}
    // Levels of the path below its work tree's root: 0 for the root itself, -1 outside every work tree.
    int Depth(const std::wstring& Path);
    // Whether Depth is above 0, asking the path itself only where its folder lies in a work tree: a
    // menu for many files in a few folders asks each folder once and few of the files.
    bool HasRelativePath(const std::wstring& Path);

  private:
    int FolderDepth(const std::wstring& Folder);
    THoldsGit holdsGit_;
    std::map<std::wstring, int> known_;
};

// What a shortcut holds of its target: the path stored in it (network paths first) and the
// file-system path of its item list (empty where the list names none).
struct TShortcutPaths {
    std::wstring Stored;
    std::wstring ItemList;
};

// Whether a file or folder of that path exists, as the caller asks it.
typedef bool (*TExistsProbe)(const std::wstring& Path);

// The target: the item list's path, which is what the shell opens; the stored path is lossy where its
// writer's code page lacked a name (a look-alike, '?', or bytes of another code page). The stored
// path stands for a network path, which keeps the share's own name, where the list names no
// file-system path, and where neither names an existing item (a list read wrongly names nothing).
// Decided from the texts first, so that no server is asked: a stored network path stands without a
// question; the list's path is asked about only where it is a drive path, and the stored one only
// where the list names nothing that exists. A target over the path limit is unreadable: empty, never cut.
std::wstring ShortcutTarget(const TShortcutPaths& Link, TExistsProbe Exists);

// ---- Forms for the places paths go next -------------------------------------------------------------
// Each is empty where the path has none; its bytes follow the exact text, and there are none where the
// item has no byte reading.

// The path as a PowerShell string: in single quotes, each character PowerShell reads as a single quote
// (' and U+2018 to U+201B) written twice, so that PowerShell reads it back as exactly the path.
TText PowerShellString(const TText& Path);
// <address> for a plain-text mail, which links a path with a space only between angle brackets: the web
// address Web where there is one, else the https address of a WebDAV folder, else the server path (see
// SmbAddress); none for a path on no server.
TText MailLink(const TText& Path, const TText& Unc, const TText& Web);
// smb://server/share/... of the server path, written as the file URI writes a share's. The server path is
// the UNC name Unc of a path on a network drive (within the path limit), else the path itself where it
// names a server; never WSL's share (\\wsl$\, \\wsl.localhost\) nor a WebDAV folder.
TText SmbAddress(const TText& Path, const TText& Unc);
// The user's folders: each its variable's name and its value (empty: not set), in the order that decides
// between two of one length.
typedef std::vector<std::pair<std::wstring, std::wstring>> TUserFolders;
// %NAME%\rest: of the folders, the longest that holds the path or is it, replaced by its variable; names
// compared as the file system compares them. None where no folder holds the path.
TText UserFolderPath(const TUserFolders& Folders, const TText& Path);

// ---- Web addresses of synced libraries -------------------------------------------------------------

// One synced library, folder or shortcut as the OneDrive client records it (an absent value: empty).
struct TSyncRoot {
    std::wstring MountPoint, UrlNamespace, FullRemotePath, LibraryType;
    // -1 absent, else its value; TSyncRoot::WrongType when present but not a REG_DWORD.
    int IsFolderScope = -1;
    static constexpr int WrongType = -2;
};
// The web address of an item under one of the records (ASCII, alike in both readings; no byte reading
// where the item has none); empty where the records give none. The record mounted deepest above the
// item decides; its own address is the base, and the item's path below the mount point follows it,
// percent-encoded as the file URI is. None from a personal OneDrive, whose address opens only for its
// owner, and none where the record's address is not https.
TText WebAddress(const std::vector<TSyncRoot>& Roots, const TText& LongPath);

#ifdef _WIN32
// The OneDrive client's records of the current user (HKCU\Software\SyncEngines\Providers\OneDrive),
// only read; none where the client has none. A string value of another type or over 2,048 characters
// counts as absent.
std::vector<TSyncRoot> ReadSyncRoots();
#endif

// ---- Copied files on the clipboard ---------------------------------------------------------------

// The names of a CF_HDROP block of Size bytes (a DROPFILES header, then the names, each ended by a zero,
// the list by one more): UTF-16 where the header's fWide is set, else bytes that FromAnsi reads. Nothing is
// read past the block: a block too short or whose list starts outside it gives none, and a last name cut
// off by its end is left out.
std::vector<std::wstring> DropFileNames(const void* Block, size_t Size,
                                        std::wstring (*FromAnsi)(const std::string& Bytes));
// The paths of a text, one a line (CR LF or LF): each trimmed of blanks and of one pair of double quotes
// around it, kept where it is an absolute path (X:\, X:/, \\server\share, //server/share, \\?\).
std::vector<std::wstring> TextPaths(const std::wstring& Text);

#ifdef _WIN32
// ---- Network drives ---------------------------------------------------------------------------------

// What answers for mpr's WNetGetUniversalNameW; a test sets a stand-in, null restores the system's.
// Either way what was learnt of the drives is forgotten.
typedef DWORD(WINAPI* TUniversalNameQuery)(LPCWSTR, DWORD, LPVOID, LPDWORD);
void SetUniversalNameQuery(TUniversalNameQuery Query);
// Forgets which drives are network drives, which links lead into a network and which did not answer;
// for a test that plays another network.
void ForgetNetwork();
// What answers which path a symbolic link or junction at a path names (empty: no link there); a test
// sets a stand-in, null restores the reading of the link's own reparse data. Either way what was learnt
// of the network is forgotten.
typedef std::wstring (*TLinkTargetQuery)(const std::wstring& Path);
void SetLinkTargetQuery(TLinkTargetQuery Query);
// Whether the path lies on a drive letter that names a network drive; each drive is asked once.
bool IsOnRemoteDrive(const std::wstring& Path);
// How long the program waits for a network drive's or a server's answer, whose server may be gone.
constexpr DWORD UniversalNameWaitMs = 1500;
// The UNC name of a path on a network drive; empty for every other path, when the redirector has none,
// or when it does not answer within WaitMs (that drive is then not asked again, by any question).
std::wstring UniversalName(const std::wstring& Path, DWORD WaitMs = UniversalNameWaitMs);

// A question that may wait for a server that is gone, asked on a worker thread. Shared by the caller
// and the worker, and freed by whichever lets go last: a worker that never returns must not write
// into memory the caller has freed.
class TNetworkQuestion {
  public:
    virtual ~TNetworkQuestion() = default;
    virtual void Ask() = 0;
    void LetGo() {
        if (InterlockedDecrement(&holders_) == 0) delete this;
    }

  private:
    LONG holders_ = 2;
};
// Where the silence of a path's network is kept: its drive (0 to 25) where that is a network drive, a
// slot of its own for each server (\\server\..., \\?\UNC\...); a local path that passes through a
// symbolic link into a share (the item or a folder above it) is its target's server's or drive's; -1
// for a path that asks no network. Read from the text, the drive's type and the links' own data: it
// asks no server.
int NetworkSlot(const std::wstring& Path);
// Whether Slot did not answer in time once: asking again would only wait again, whatever the question.
bool IsSilent(int Slot);
// Asks Q on a worker thread; true when it answered within WaitMs, else Slot counts as silent from now
// on. The caller lets go of Q either way.
bool AnsweredWithin(int Slot, TNetworkQuestion* Q, DWORD WaitMs);

// Question() about Path, asked as it is where Path asks no network, else within UniversalNameWaitMs:
// Silent when it does not answer in time (or its network did not once before). Question is copied to
// the worker, so it must refer to nothing of the caller's.
template <typename Result, typename Fn>
Result WithinNetworkBound(const std::wstring& Path, Result Silent, Fn Question) {
    struct TJob : TNetworkQuestion {
        TJob(Fn F, Result R) : fn(F), answer(R) {}
        void Ask() override { answer = fn(); }
        Fn fn;
        Result answer;
    };
    const int slot = NetworkSlot(Path);
    if (slot < 0) return Question();
    if (IsSilent(slot)) return Silent;
    TJob* job = new TJob(Question, Silent);
    const Result answer = AnsweredWithin(slot, job, UniversalNameWaitMs) ? job->answer : Silent;
    job->LetGo();
    return answer;
}
// ItemExists, within the network bound.
bool ItemExistsWithinBound(const std::wstring& Path);

// ---- System DLLs ----------------------------------------------------------------------------------
// A DLL lying beside the program (a download folder holds anything) must never be loaded in place of a
// system one: the program imports only what it cannot start without, and loads the rest from the
// system folder, each function looked up once, on first use.

// The process's DLL search, for everything loaded from now on (the shell's and COM's own loads too):
// the system folder only. Called first of all.
void SearchSystemFolderOnly();
// A DLL of the system folder by its file name; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* Name);
// An export of a system DLL, the DLL loaded from the system folder; null when either is missing.
FARPROC SystemProcAddress(const wchar_t* Dll, const char* Name);

// One function of a system DLL, looked up on its first call and kept.
template <typename Fn> class TSystemProc {
  public:
    constexpr TSystemProc(const wchar_t* Dll, const char* Name) : dll_(Dll), name_(Name) {}
    // The function, or null when the system has none.
    Fn* get() {
        if (!looked_) {
            proc_ = reinterpret_cast<Fn*>(reinterpret_cast<void*>(SystemProcAddress(dll_, name_)));
            looked_ = true;
        }
        return proc_;
    }

  private:
    const wchar_t* dll_;
    const char* name_;
    Fn* proc_ = nullptr;
    bool looked_ = false;
};

// ---- Wide text ----------------------------------------------------------------------------------------

// Bytes of the given code page as UTF-16 (CP_ACP: the system ANSI code page); empty when they cannot
// be read.
std::wstring WideFromBytes(const std::string& Bytes, unsigned CodePage);
// Wide text in the system ANSI code page, never best-fitted.
TConversion ToAnsi(const std::wstring& Wide);
// The bytes when the conversion is exact; otherwise empty.
std::string ExactBytes(const std::wstring& Wide);
// A text known by its bytes in the system code page, with their UTF-16 reading.
TText TextOfBytes(const std::string& Bytes);
// A text known exactly, with its own bytes ('?' for what the code page lacks), asking the file system
// nothing: a server's name, or an item whose server did not answer.
TText TextOfWide(const std::wstring& Wide);

// ---- Long and short path forms, file tests (the file system: Windows build only) ----------------
// Asked for wide: the ANSI calls hand back a look-alike of a name the code page lacks, which is the
// path of another file. The byte forms are derived from the wide ones.

// What answers for GetLongPathNameW; a test sets a stand-in (a server that never answers), null restores
// the system's.
typedef DWORD(WINAPI* TLongPathQuery)(LPCWSTR, LPWSTR, DWORD);
void SetLongPathQuery(TLongPathQuery Query);

bool FolderExists(const std::wstring& Path);
// Whether a file or folder of that path exists.
bool ItemExists(const std::wstring& Path);
bool FolderExists(const std::string& Path);
// The long form of a path of at most the path limit, empty where the file system gives none.
std::wstring ToLongPath(const std::wstring& Path);
std::wstring ToShortPath(const std::wstring& Path);
// The bytes of the long form when the code page holds them; where the long name holds characters it
// lacks, the form that came in (an 8.3 form), the longest that still names the file.
std::string ToLongPath(const std::string& Path);
// The bytes of the short form when the code page holds them, else empty.
std::string ToShortPath(const std::string& Path);
// A path in both readings: its exact text, and the bytes that stand for it (StandInBytes; the 8.3
// form asked for only where the text itself is not held).
TText PathText(const std::wstring& Path);

// ---- File search ----------------------------------------------------------------------------------

typedef std::string TFileName;

template <typename Char> struct TFindData;
template <> struct TFindData<char> { typedef WIN32_FIND_DATAA Type; };
template <> struct TFindData<wchar_t> { typedef WIN32_FIND_DATAW Type; };

// One search over a folder's entries; TSearchRec names them in bytes, TSearchRecW exactly.
template <typename Char> struct TSearchRecOf {
    int32_t DosTime = 0;
    int32_t Size = 0;
    int32_t Attributes = 0;
    std::basic_string<Char> Name;
    int32_t SkipMask = 0;
    HANDLE Handle = INVALID_HANDLE_VALUE;
    typename TFindData<Char>::Type FoundData = {};
};
typedef TSearchRecOf<char> TSearchRec;
typedef TSearchRecOf<wchar_t> TSearchRecW;

int SearchFirst(const std::string& Pattern, int32_t Mask, TSearchRec& Rec);
int SearchFirst(const std::wstring& Pattern, int32_t Mask, TSearchRecW& Rec);
int SearchNext(TSearchRec& Rec);
int SearchNext(TSearchRecW& Rec);
void SearchClose(TSearchRec& Rec);
void SearchClose(TSearchRecW& Rec);
int FillSearchRec(TSearchRec& Rec);
int FillSearchRec(TSearchRecW& Rec);

// ---- Clipboard ------------------------------------------------------------------------------------

// CF_TEXT gets the bytes, CF_UNICODETEXT the exact text, CF_LOCALE the system's locale and, where Html is
// not empty, "HTML Format" gets it; an empty exact text leaves the clipboard as it was.
void PutClipboardText(HWND Owner, const TText& Text, const std::string& Html = std::string());
// A text known only by its bytes: the Unicode text is their reading.
void PutClipboardText(HWND Owner, const std::string& Text);
// The copied files on the clipboard, read once and left as they are: the file list where there is one
// with a name, else the paths of its Unicode text; none where it holds neither or cannot be opened.
std::vector<std::wstring> ClipboardItems();
#endif

} // namespace TinyUtils
