// Decodes page pictures with GDI+ into premultiplied DIB sections.
#include "PageImages.h"

#include <ole2.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstring>

namespace pageview {

namespace {

const int kMaxSide = 8192;
const long long kMaxPixels = 16LL * 1024 * 1024;

PageImage Decode(const std::string& file)
{
    PageImage image;
    if (file.empty() || file.size() > 0x7FFFFFFF)
        return image;
    IStream* stream = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(file.data()), static_cast<UINT>(file.size()));
    if (!stream)
        return image;
    Gdiplus::Bitmap* bitmap = Gdiplus::Bitmap::FromStream(stream);
    if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) {
        const int width = static_cast<int>(bitmap->GetWidth());
        const int height = static_cast<int>(bitmap->GetHeight());
        if (width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
            static_cast<long long>(width) * height <= kMaxPixels) {
            Gdiplus::Rect rect(0, 0, width, height);
            Gdiplus::BitmapData data = {};
            if (bitmap->LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
                BITMAPINFO info = {};
                info.bmiHeader.biSize = sizeof(info.bmiHeader);
                info.bmiHeader.biWidth = width;
                info.bmiHeader.biHeight = -height;  // top-down, like the locked bits
                info.bmiHeader.biPlanes = 1;
                info.bmiHeader.biBitCount = 32;
                info.bmiHeader.biCompression = BI_RGB;
                void* bits = nullptr;
                HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                if (dib && bits) {
                    for (int y = 0; y < height; ++y)
                        std::memcpy(static_cast<BYTE*>(bits) + static_cast<size_t>(y) * width * 4,
                                    static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                                    static_cast<size_t>(width) * 4);
                    image.bitmap = dib;
                    image.width = width;
                    image.height = height;
                }
                bitmap->UnlockBits(&data);
            }
        }
    }
    delete bitmap;
    stream->Release();
    return image;
}

}  // namespace

std::vector<PageImage> DecodeImages(const std::vector<std::string>& files)
{
    std::vector<PageImage> images(files.size());
    bool any = false;
    for (const std::string& file : files)
        any = any || !file.empty();
    if (!any)
        return images;
    // GDI+ runs only while decoding, so the view leaves no GDI+ state behind in its host.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return images;
    for (size_t i = 0; i < files.size(); ++i)
        images[i] = Decode(files[i]);
    Gdiplus::GdiplusShutdown(token);
    return images;
}

void FreeImages(std::vector<PageImage>& images)
{
    for (PageImage& image : images)
        if (image.bitmap)
            ::DeleteObject(image.bitmap);
    images.clear();
}

std::vector<Size> ImageSizes(const std::vector<PageImage>& images)
{
    std::vector<Size> sizes;
    for (const PageImage& image : images)
        sizes.push_back({ image.width, image.height });
    return sizes;
}

}  // namespace pageview
