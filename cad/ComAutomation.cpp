#include "cad/ComAutomation.h"

// The OLE headers bring in what they need of windows.h themselves.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <vector>

namespace channel {

namespace {

// Keeps COM initialised on this thread. An apartment that somebody else has
// already set up in another mode (RPC_E_CHANGED_MODE) is used as it is and
// not uninitialised by us.
class ComApartment {
  public:
    ComApartment() : owned_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (owned_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool owned_;
};

class ComObject : public AutomationObject {
  public:
    ComObject(IDispatch* dispatch, std::shared_ptr<ComApartment> apartment)
        : apartment_(std::move(apartment)), dispatch_(dispatch) {}
    ~ComObject() override { dispatch_->Release(); }
    // Each object releases its reference exactly once.
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    IDispatch* Dispatch() const { return dispatch_; }

  private:
    std::shared_ptr<ComApartment> apartment_;
    IDispatch* dispatch_;
};

class ComArray : public AutomationArray {
  public:
    ComArray(SAFEARRAY* array, std::shared_ptr<ComApartment> apartment)
        : apartment_(std::move(apartment)) {
        VariantInit(&variant_);
        variant_.vt = VT_ARRAY | VT_R8;
        variant_.parray = array;
    }
    ~ComArray() override { VariantClear(&variant_); }
    // Each array is freed exactly once.
    ComArray(const ComArray&) = delete;
    ComArray& operator=(const ComArray&) = delete;
    VARIANT& Variant() { return variant_; }
    const VARIANT& Variant() const { return variant_; }

  private:
    std::shared_ptr<ComApartment> apartment_;
    VARIANT variant_;
};

IDispatch* DispatchOf(const ObjectSlot& slot) {
    const auto* object = dynamic_cast<const ComObject*>(slot.get());
    return object != nullptr ? object->Dispatch() : nullptr;
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

// Invoke's arguments, converted from our values. Owns the BSTRs it made; the
// arrays of point buffers are lent, not copied.
class InvokeArguments {
  public:
    bool Add(const AutomationValue& value) {
        VARIANT variant;
        VariantInit(&variant);
        if (const bool* flag = std::get_if<bool>(&value)) {
            variant.vt = VT_BOOL;
            variant.boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (const int* integer = std::get_if<int>(&value)) {
            variant.vt = VT_I4;
            variant.lVal = *integer;
        } else if (const double* real = std::get_if<double>(&value)) {
            variant.vt = VT_R8;
            variant.dblVal = *real;
        } else if (const std::string* text = std::get_if<std::string>(&value)) {
            const std::wstring wide = Widen(*text);
            variant.vt = VT_BSTR;
            variant.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            if (variant.bstrVal == nullptr) return false;
            strings_.push_back(variant.bstrVal);
        } else {
            const auto* array =
                dynamic_cast<const ComArray*>(std::get<PointArgument>(value).get().get());
            if (array == nullptr) return false;
            variant = array->Variant();
        }
        variants_.push_back(variant);
        return true;
    }

    // IDispatch::Invoke takes its arguments last to first.
    DISPPARAMS Parameters() {
        reversed_.assign(variants_.rbegin(), variants_.rend());
        DISPPARAMS parameters{};
        parameters.rgvarg = reversed_.data();
        parameters.cArgs = static_cast<UINT>(reversed_.size());
        return parameters;
    }

    ~InvokeArguments() {
        for (BSTR text : strings_) SysFreeString(text);
    }

  private:
    std::vector<VARIANT> variants_;
    std::vector<VARIANT> reversed_;
    std::vector<BSTR> strings_;
};

bool Invoke(IDispatch* dispatch, std::string_view member, WORD kind, DISPPARAMS& parameters,
            VARIANT* result) {
    if (dispatch == nullptr) return false;
    std::wstring name = Widen(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return false;
    }
    DISPID propertyPut = DISPID_PROPERTYPUT;
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &propertyPut;
        parameters.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT outcome = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                             result, &exception, &argumentError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(outcome);
}

class ComAutomation : public Automation {
  public:
    ComAutomation() : apartment_(std::make_shared<ComApartment>()) {}

    bool AttachRunning(ObjectSlot& slot, std::string_view progId) override {
        slot.reset();
        CLSID classId;
        if (FAILED(CLSIDFromProgID(Widen(progId).c_str(), &classId))) return false;
        IUnknown* running = nullptr;
        if (FAILED(GetActiveObject(classId, nullptr, &running)) || running == nullptr) return false;
        IDispatch* dispatch = nullptr;
        const HRESULT asked =
            running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        running->Release();
        if (FAILED(asked) || dispatch == nullptr) return false;
        slot = Wrap(dispatch);
        return true;
    }

    void CreateInstance(ObjectSlot& slot, std::string_view progId) override {
        slot.reset();
        CLSID classId;
        if (FAILED(CLSIDFromProgID(Widen(progId).c_str(), &classId))) return;
        IDispatch* dispatch = nullptr;
        if (SUCCEEDED(CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&dispatch))) &&
            dispatch != nullptr) {
            slot = Wrap(dispatch);
        }
    }

    ObjectSlot GetObjectProperty(const ObjectSlot& object, std::string_view member) override {
        InvokeArguments none;
        DISPPARAMS parameters = none.Parameters();
        return ObjectResult(DispatchOf(object), member, DISPATCH_PROPERTYGET, parameters);
    }

    bool SetProperty(const ObjectSlot& object, std::string_view member,
                     const AutomationValue& value) override {
        InvokeArguments arguments;
        if (!arguments.Add(value)) return false;
        DISPPARAMS parameters = arguments.Parameters();
        return Invoke(DispatchOf(object), member, DISPATCH_PROPERTYPUT, parameters, nullptr);
    }

    ObjectSlot CallObjectMethod(const ObjectSlot& object, std::string_view member,
                                std::span<const AutomationValue> values) override {
        InvokeArguments arguments;
        for (const AutomationValue& value : values) {
            if (!arguments.Add(value)) return nullptr;
        }
        DISPPARAMS parameters = arguments.Parameters();
        return ObjectResult(DispatchOf(object), member, DISPATCH_METHOD, parameters);
    }

    bool MakeDoubleArray(PointBuffer& buffer, int length) override {
        SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, static_cast<ULONG>(length));
        if (array == nullptr) {
            buffer.reset();
            return false;
        }
        buffer = std::make_unique<ComArray>(array, apartment_);
        return true;
    }

    bool SetArrayElement(PointBuffer& buffer, double value, int index) override {
        auto* array = dynamic_cast<ComArray*>(buffer.get());
        if (array == nullptr) return false;
        LONG element = index - 1;
        return SUCCEEDED(SafeArrayPutElement(array->Variant().parray, &element, &value));
    }

  private:
    ObjectSlot Wrap(IDispatch* dispatch) {
        return std::make_unique<ComObject>(dispatch, apartment_);
    }

    ObjectSlot ObjectResult(IDispatch* dispatch, std::string_view member, WORD kind,
                            DISPPARAMS& parameters) {
        VARIANT result;
        VariantInit(&result);
        if (!Invoke(dispatch, member, kind, parameters, &result)) return nullptr;
        IDispatch* object = nullptr;
        if (result.vt == VT_DISPATCH && result.pdispVal != nullptr) {
            object = result.pdispVal;
            object->AddRef();
        } else if (result.vt == VT_UNKNOWN && result.punkVal != nullptr) {
            result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
        }
        VariantClear(&result);
        return object != nullptr ? Wrap(object) : nullptr;
    }

    std::shared_ptr<ComApartment> apartment_;
};

}  // namespace

std::unique_ptr<Automation> MakeComAutomation() {
    return std::make_unique<ComAutomation>();
}

}  // namespace channel
