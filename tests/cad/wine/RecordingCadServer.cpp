// A recording stand-in for AutoCAD's automation server, so that the program's
// COM backend can be run for real under Wine. It answers the ten members the
// CAD connection uses, by name and ignoring case, checks the type of every
// argument, and appends one UTF-8 line per call to a log:
//   Application#1.Visible put bool:true
//   Application#1.ActiveDocument get -> Document#1
//   ModelSpace#1.addline(point(20,16,0), point(240,16,0)) -> Line#1
//   Text#3.Alignment put int:4
//   Text#2 released
// A refused call ends in " refused: <why>"; an object's line "released"
// comes when its last reference has gone.
//
//   cad-server /regserver <log>  registers it under HKLM as the local server of
//                                "autocad.Application", logging to <log>
//   cad-server /log <log>        the command line COM starts it with
//                                ("-Embedding" added): a created application
//   cad-server /run /log <log> [/nodocument] [/dieafter N]
//                                an application that is already running,
//                                in the running-object table; /nodocument:
//                                no drawing is open; /dieafter N: the process
//                                ends in the middle of call N + 1
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cwchar>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// {6C3B2F4E-8A51-4C7B-9D2E-3F1A0B5C7D91}
constexpr CLSID kServerClassId = {
    0x6c3b2f4e, 0x8a51, 0x4c7b, {0x9d, 0x2e, 0x3f, 0x1a, 0x0b, 0x5c, 0x7d, 0x91}};
constexpr wchar_t kProgId[] = L"autocad.Application";
constexpr wchar_t kReadyEvent[] = L"RecordingCadServerReady";

struct Options {
    std::wstring log;
    bool registerOnly = false;
    bool running = false;
    bool noDocument = false;
    long dieAfter = -1;
};

Options g_options;
HANDLE g_log = INVALID_HANDLE_VALUE;
long g_calls = 0;
long g_liveObjects = 0;
bool g_anyObject = false;
DWORD g_mainThread = 0;

std::string Utf8(const wchar_t* text, int length = -1) {
    if (text == nullptr) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    if (length == -1 && !utf8.empty()) utf8.pop_back();  // the terminating zero
    return utf8;
}

// Unbuffered appends: every line is on disk even when the process is killed.
void Log(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(g_log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Number(double value) {
    std::array<char, 64> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::string(digits.data(), result.ptr);
}

enum class Kind { Application, Document, ModelSpace, TextStyle, Line, Text };

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Application:
            return "Application";
        case Kind::Document:
            return "Document";
        case Kind::ModelSpace:
            return "ModelSpace";
        case Kind::TextStyle:
            return "TextStyle";
        case Kind::Line:
            return "Line";
        case Kind::Text:
            return "Text";
    }
    return "?";
}

// The ten members; DISPIDs are their positions plus one.
constexpr std::array<const wchar_t*, 10> kMembers = {
    L"Visible",     L"ActiveDocument", L"ModelSpace",  L"addline",   L"ActiveTextStyle",
    L"BigFontFile", L"AddText",        L"scalefactor", L"Alignment", L"TextAlignmentPoint"};
enum Member : DISPID {
    kVisible = 1,
    kActiveDocument,
    kModelSpace,
    kAddLine,
    kActiveTextStyle,
    kBigFontFile,
    kAddText,
    kScaleFactor,
    kAlignment,
    kTextAlignmentPoint
};

std::string MemberName(DISPID id) {
    return id >= 1 && id <= 10 ? Utf8(kMembers[static_cast<std::size_t>(id - 1)]) : "?";
}

// Argument checks: the description of a value of the expected type, or
// nothing when the type is wrong.
std::optional<std::string> AsPoint(const VARIANT& value) {
    if (value.vt != (VT_ARRAY | VT_R8) || value.parray == nullptr) return std::nullopt;
    SAFEARRAY* array = value.parray;
    LONG lower = 0, upper = 0;
    if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper - lower + 1 != 3) {
        return std::nullopt;
    }
    std::string text = "point(";
    for (LONG i = lower; i <= upper; ++i) {
        double element = 0;
        if (FAILED(SafeArrayGetElement(array, &i, &element))) return std::nullopt;
        text += (i > lower ? "," : "") + Number(element);
    }
    return text + ")";
}

std::optional<std::string> AsText(const VARIANT& value) {
    if (value.vt != VT_BSTR) return std::nullopt;
    return "text:\"" + Utf8(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal))) + "\"";
}

std::optional<std::string> AsNumber(const VARIANT& value) {
    switch (value.vt) {
        case VT_I2:
            return "int:" + std::to_string(value.iVal);
        case VT_I4:
            return "int:" + std::to_string(value.lVal);
        case VT_R8:
            return "double:" + Number(value.dblVal);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> AsInteger(const VARIANT& value) {
    if (value.vt == VT_I2 || value.vt == VT_I4) return AsNumber(value);
    return std::nullopt;
}

std::optional<std::string> AsBool(const VARIANT& value) {
    if (value.vt != VT_BOOL) return std::nullopt;
    return std::string(value.boolVal == VARIANT_FALSE ? "bool:false" : "bool:true");
}

class CadObject;
CadObject* NewObject(Kind kind);

class CadObject final : public IDispatch {
  public:
    CadObject(Kind kind, int number)
        : kind_(kind), name_(std::string(KindName(kind)) + "#" + std::to_string(number)) {
        ++g_liveObjects;
        g_anyObject = true;
    }
    CadObject(const CadObject&) = delete;
    CadObject& operator=(const CadObject&) = delete;
    const std::string& Name() const { return name_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0) {
            Log(name_ + " released");
            delete this;
            // A created application ends once nobody holds any of its objects.
            if (--g_liveObjects == 0 && !g_options.running)
                PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        for (std::size_t i = 0; i < kMembers.size(); ++i) {
            if (_wcsicmp(names[0], kMembers[i]) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        Log(name_ + " has no member " + Utf8(names[0]));
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (g_options.dieAfter >= 0 && g_calls >= g_options.dieAfter) {
            Log("dying");
            ExitProcess(3);
        }
        ++g_calls;
        const std::string call = name_ + "." + MemberName(id);
        if (parameters == nullptr) return Refuse(call, "no parameters", E_INVALIDARG);
        std::vector<VARIANT> arguments;  // first to last
        for (UINT i = parameters->cArgs; i > 0; --i) arguments.push_back(parameters->rgvarg[i - 1]);
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        if (put && (parameters->cNamedArgs != 1 || parameters->rgdispidNamedArgs == nullptr ||
                    parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
            return Refuse(call + " put", "no DISPID_PROPERTYPUT", DISP_E_PARAMNOTOPTIONAL);
        }
        switch (Allowed(id)) {
            case Use::Get:
                if (!(flags & DISPATCH_PROPERTYGET) || !arguments.empty()) {
                    return Refuse(call, "not a property read", DISP_E_MEMBERNOTFOUND);
                }
                return Get(id, call + " get", result);
            case Use::Put:
                if (!put || arguments.size() != 1) {
                    return Refuse(call, "not a property write", DISP_E_MEMBERNOTFOUND);
                }
                return Put(id, call + " put", arguments[0]);
            case Use::Method:
                if (!(flags & DISPATCH_METHOD)) {
                    return Refuse(call, "not a method call", DISP_E_MEMBERNOTFOUND);
                }
                return Call(id, call, arguments, result);
            case Use::None:
                break;
        }
        return Refuse(call, std::string("no such member of ") + KindName(kind_),
                      DISP_E_MEMBERNOTFOUND);
    }

  private:
    enum class Use { None, Get, Put, Method };

    Use Allowed(DISPID id) const {
        switch (kind_) {
            case Kind::Application:
                return id == kVisible ? Use::Put : id == kActiveDocument ? Use::Get : Use::None;
            case Kind::Document:
                return id == kModelSpace || id == kActiveTextStyle ? Use::Get : Use::None;
            case Kind::ModelSpace:
                return id == kAddLine || id == kAddText ? Use::Method : Use::None;
            case Kind::TextStyle:
                return id == kBigFontFile ? Use::Put : Use::None;
            case Kind::Text:
                return id == kScaleFactor || id == kAlignment || id == kTextAlignmentPoint
                           ? Use::Put
                           : Use::None;
            case Kind::Line:
                return Use::None;
        }
        return Use::None;
    }

    static HRESULT Refuse(const std::string& call, const std::string& why, HRESULT error) {
        Log(call + " refused: " + why);
        return error;
    }

    static HRESULT Give(const std::string& call, Kind kind, VARIANT* result) {
        if (result == nullptr) return Refuse(call, "no place for the result", E_INVALIDARG);
        CadObject* object = NewObject(kind);
        Log(call + " -> " + object->name_);
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = object;  // the caller's reference
        return S_OK;
    }

    HRESULT Get(DISPID id, const std::string& call, VARIANT* result) {
        if (id == kActiveDocument && g_options.noDocument) {
            return Refuse(call, "no drawing open", E_FAIL);
        }
        const Kind kind = id == kActiveDocument ? Kind::Document
                          : id == kModelSpace   ? Kind::ModelSpace
                                                : Kind::TextStyle;
        return Give(call, kind, result);
    }

    static HRESULT Put(DISPID id, const std::string& call, const VARIANT& value) {
        std::optional<std::string> described;
        switch (id) {
            case kVisible:
                described = AsBool(value);
                break;
            case kBigFontFile:
                described = AsText(value);
                break;
            case kScaleFactor:
                described = AsNumber(value);
                break;
            case kAlignment:
                described = AsInteger(value);
                break;
            default:
                described = AsPoint(value);
                break;
        }
        if (!described) {
            return Refuse(call, "wrong type " + std::to_string(value.vt), DISP_E_TYPEMISMATCH);
        }
        Log(call + " " + *described);
        return S_OK;
    }

    static HRESULT Call(DISPID id, const std::string& call, const std::vector<VARIANT>& arguments,
                        VARIANT* result) {
        std::vector<std::optional<std::string>> described;
        if (id == kAddLine && arguments.size() == 2) {
            described = {AsPoint(arguments[0]), AsPoint(arguments[1])};
        } else if (id == kAddText && arguments.size() == 3) {
            described = {AsText(arguments[0]), AsPoint(arguments[1]), AsNumber(arguments[2])};
        } else {
            return Refuse(call, std::to_string(arguments.size()) + " arguments",
                          DISP_E_BADPARAMCOUNT);
        }
        std::string list;
        for (std::size_t i = 0; i < described.size(); ++i) {
            if (!described[i]) {
                return Refuse(call,
                              "argument " + std::to_string(i + 1) + " has type " +
                                  std::to_string(arguments[i].vt),
                              DISP_E_TYPEMISMATCH);
            }
            list += (i > 0 ? ", " : "") + *described[i];
        }
        return Give(call + "(" + list + ")", id == kAddLine ? Kind::Line : Kind::Text, result);
    }

    Kind kind_;
    std::string name_;
    long references_ = 1;
};

CadObject* NewObject(Kind kind) {
    static std::map<Kind, int> numbers;
    return new CadObject(kind, ++numbers[kind]);
}

class ApplicationFactory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        CadObject* application = NewObject(Kind::Application);
        Log("created " + application->Name());
        const HRESULT asked = application->QueryInterface(iid, out);
        application->Release();
        return asked;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG set =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return set == ERROR_SUCCESS;
}

// HKLM, where COM looks for classes also in a fresh Wine prefix.
int Register() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t clsid[64];
    StringFromGUID2(kServerClassId, clsid, 64);
    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring command = L"\"" + std::wstring(self) + L"\" /log \"" + g_options.log + L"\"";
    const bool done =
        SetValue(HKEY_LOCAL_MACHINE, classes + kProgId + L"\\CLSID", nullptr, clsid) &&
        SetValue(HKEY_LOCAL_MACHINE, classes + L"CLSID\\" + clsid, nullptr, L"AutoCAD stand-in") &&
        SetValue(HKEY_LOCAL_MACHINE, classes + L"CLSID\\" + clsid + L"\\LocalServer32", nullptr,
                 command) &&
        SetValue(HKEY_LOCAL_MACHINE, classes + L"CLSID\\" + clsid + L"\\ProgID", nullptr, kProgId);
    std::printf("cad-server: %s\n", done ? "registered" : "registration failed");
    return done ? 0 : 1;
}

Options ParseOptions() {
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const bool hasNext = i + 1 < count;
        if (argument == L"/regserver" && hasNext) {
            options.registerOnly = true;
            options.log = arguments[++i];
        } else if (argument == L"/log" && hasNext) {
            options.log = arguments[++i];
        } else if (argument == L"/run") {
            options.running = true;
        } else if (argument == L"/nodocument") {
            options.noDocument = true;
        } else if (argument == L"/dieafter" && hasNext) {
            options.dieAfter = std::wcstol(arguments[++i], nullptr, 10);
        }
    }
    LocalFree(arguments);
    return options;
}

}  // namespace

int main() {
    g_options = ParseOptions();
    if (g_options.log.empty()) return 2;
    if (g_options.registerOnly) return Register();
    g_log = CreateFileW(g_options.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) return 2;
    g_mainThread = GetCurrentThreadId();
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;

    ApplicationFactory factory;
    DWORD classCookie = 0;
    DWORD activeCookie = 0;
    CadObject* running = nullptr;
    if (g_options.running) {
        running = NewObject(Kind::Application);
        Log("running Application#1");
        RegisterActiveObject(running, kServerClassId, ACTIVEOBJECT_STRONG, &activeCookie);
        if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kReadyEvent)) {
            SetEvent(ready);
            CloseHandle(ready);
        }
    } else {
        CoRegisterClassObject(kServerClassId, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                              &classCookie);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);

    if (classCookie != 0) CoRevokeClassObject(classCookie);
    if (running != nullptr) {
        RevokeActiveObject(activeCookie, nullptr);
        running->Release();
    }
    Log("ended");
    CloseHandle(g_log);
    CoUninitialize();
    return 0;
}
