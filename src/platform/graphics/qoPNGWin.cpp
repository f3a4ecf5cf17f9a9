// PNG through the Windows imaging component.
#ifdef _WIN32
#include "platform/core/qoErrors.h"
#include "platform/core/qoWin32.h"
#include "platform/graphics/qoPNG.h"

#include <wincodec.h>

#include <vector>

namespace qo {

namespace {

// The imaging component needs COM on the calling thread; any thread may save a picture.
class TComScope {
public:
    TComScope() : fOwned(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (fOwned) CoUninitialize();
    }

private:
    bool fOwned;
};

void Check(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) throw EqoError(what);
}

void CreateFactory(TComRef<IWICImagingFactory>& factory, const std::string& what) {
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(&factory)),
          what);
}

// The first frame as straight-alpha BGRA, which is 0xAARRGGBB in memory.
TqoRaster ReadFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder, int32_t maxSide, std::string& why) {
    TComRef<IWICBitmapFrameDecode> frame;
    TComRef<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(decoder.GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height))) return {};
    if (width == 0 || height == 0 || width > UINT(maxSide) || height > UINT(maxSide)) {
        why = "image size out of range";
        return {};
    }
    TqoRaster raster(int32_t(width), int32_t(height), 0);
    if (FAILED(factory.CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(raster.Data()))))
        return {};
    return raster;
}

// What the file shows on white, as the Linux reader gives it.
void DropAlpha(TqoRaster& raster) {
    uint32_t* p = raster.Data();
    for (size_t i = 0, n = size_t(raster.Width()) * size_t(raster.Height()); i < n; ++i) {
        const uint32_t a = p[i] >> 24;
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t c = (p[i] >> shift) & 0xFF;
            out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
        }
        p[i] = out;
    }
}

} // namespace

void SavePNG(const TqoRaster& raster, const std::string& path) {
    const std::string what = "Cannot write \"" + path + "\"";
    TComScope com;
    TComRef<IWICImagingFactory> factory;
    TComRef<IWICStream> stream;
    TComRef<IWICBitmapEncoder> encoder;
    TComRef<IWICBitmapFrameEncode> frame;
    TComRef<IPropertyBag2> options;
    CreateFactory(factory, what);
    Check(factory->CreateStream(&stream), what);
    Check(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE), what);
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder), what);
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), what);
    Check(encoder->CreateNewFrame(&frame, &options), what);
    Check(frame->Initialize(options.Get()), what);
    Check(frame->SetSize(UINT(raster.Width()), UINT(raster.Height())), what);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), what);
    if (format != GUID_WICPixelFormat24bppBGR) throw EqoError(what);
    const UINT stride = (UINT(raster.Width()) * 3 + 3) & ~3u;
    std::vector<BYTE> rows(size_t(stride) * size_t(raster.Height()));
    for (int32_t y = 0; y < raster.Height(); ++y)
        for (int32_t x = 0; x < raster.Width(); ++x) {
            const uint32_t p = raster.Row(y)[x];
            BYTE* out = rows.data() + size_t(y) * stride + size_t(x) * 3;
            out[0] = BYTE(p), out[1] = BYTE(p >> 8), out[2] = BYTE(p >> 16);
        }
    Check(frame->WritePixels(UINT(raster.Height()), stride, UINT(rows.size()), rows.data()), what);
    Check(frame->Commit(), what);
    Check(encoder->Commit(), what);
}

TqoRaster LoadPNG(const std::string& path) {
    const std::string what = "Cannot read \"" + path + "\"";
    TComScope com;
    TComRef<IWICImagingFactory> factory;
    TComRef<IWICBitmapDecoder> decoder;
    CreateFactory(factory, what);
    Check(factory->CreateDecoderFromFilename(Wide(path).c_str(), &GUID_ContainerFormatPng, GENERIC_READ,
                                             WICDecodeMetadataCacheOnDemand, &decoder),
          what);
    std::string why;
    TqoRaster raster = ReadFrame(*factory.Get(), *decoder.Get(), INT32_MAX, why);
    if (raster.Width() == 0) throw EqoError(what);
    DropAlpha(raster);
    return raster;
}

TqoRaster DecodePNG(std::span<const uint8_t> data, int32_t maxSide, std::string& why) {
    why = "bad PNG image";
    TComScope com;
    TComRef<IWICImagingFactory> factory;
    TComRef<IWICStream> stream;
    TComRef<IWICBitmapDecoder> decoder;
    CreateFactory(factory, why);
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), &GUID_ContainerFormatPng, WICDecodeMetadataCacheOnDemand,
                                                &decoder)))
        return {};
    return ReadFrame(*factory.Get(), *decoder.Get(), maxSide, why);
}

} // namespace qo
#endif
