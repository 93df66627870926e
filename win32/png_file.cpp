#include "win32/png_file.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include "win32/whole_file.h"

template <typename Interface> static void Release(Interface*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// Encoded into memory first, so that the file is written by the one writer
// that checks every write and leaves nothing half-written.
static HRESULT EncodePng(IStream* memory, const unsigned char* bgr, int width, int height, int stride)
{
    IWICImagingFactory* factory = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(result)) {
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    }
    if (SUCCEEDED(result)) {
        result = encoder->Initialize(memory, WICBitmapEncoderNoCache);
    }
    if (SUCCEEDED(result)) {
        result = encoder->CreateNewFrame(&frame, nullptr);
    }
    if (SUCCEEDED(result)) {
        result = frame->Initialize(nullptr);
    }
    if (SUCCEEDED(result)) {
        result = frame->SetSize(width, height);
    }
    if (SUCCEEDED(result)) {
        result = frame->SetPixelFormat(&format);  // the encoder may answer with a format of its own
    }
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    }
    if (SUCCEEDED(result)) {
        result = frame->WritePixels(height, stride, stride * height, const_cast<BYTE*>(bgr));
    }
    if (SUCCEEDED(result)) {
        result = frame->Commit();
    }
    if (SUCCEEDED(result)) {
        result = encoder->Commit();
    }
    Release(frame);
    Release(encoder);
    Release(factory);
    return result;
}

bool WritePngFile(const char* path, const unsigned char* bgr, int width, int height, int stride, char* reason,
                  int reasonSize)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IStream* memory = nullptr;
    HGLOBAL bytes = nullptr;
    STATSTG stat{};
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &memory);
    if (SUCCEEDED(result)) {
        result = EncodePng(memory, bgr, width, height, stride);
    }
    if (SUCCEEDED(result)) {
        result = memory->Stat(&stat, STATFLAG_NONAME);  // the stream's length, not its block's
    }
    if (SUCCEEDED(result)) {
        result = GetHGlobalFromStream(memory, &bytes);
    }
    bool written = false;
    if (SUCCEEDED(result)) {
        const void* data = GlobalLock(bytes);
        if (data == nullptr) {
            DescribeSystemError(GetLastError(), reason, reasonSize);
        } else {
            written = WriteWholeFile(path, data, static_cast<std::size_t>(stat.cbSize.QuadPart), reason, reasonSize);
            GlobalUnlock(bytes);
        }
    } else {
        DescribeSystemError(static_cast<DWORD>(result), reason, reasonSize);
    }
    Release(memory);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return written;
}
