#include "controls/JPEGImage.h"

#include "platform/Exception.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <string>

namespace
{

// Pictures above this many pixels are refused rather than allocated.
constexpr unsigned long long kMaxPixels = 100ull * 1000 * 1000;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default handler ends the process; this one returns to the
// caller's recovery point with the message kept.
[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// State shared with the functions that hold a recovery point; those hold no
// objects with destructors, since a jump skips them.
struct DecodeContext {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const QByteArray *input = nullptr;
    QImage image;
    bool tooLarge = false;
};

bool DecodeInto(DecodeContext *ctx)
{
    jpeg_decompress_struct *cinfo = &ctx->cinfo;
    cinfo->err = jpeg_std_error(&ctx->err.pub);
    ctx->err.pub.error_exit = ErrorExit;
    ctx->err.pub.output_message = IgnoreMessage;
    if (setjmp(ctx->err.jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char *>(ctx->input->constData()),
                 static_cast<unsigned long>(ctx->input->size()));
    jpeg_read_header(cinfo, TRUE);
    if (static_cast<unsigned long long>(cinfo->image_width) * cinfo->image_height > kMaxPixels) {
        ctx->tooLarge = true;
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(cinfo);
    ctx->image =
        QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
               cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char *line = ctx->image.scanLine(static_cast<int>(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &line, 1);
        if (cmyk) {
            // Adobe writes inverted CMYK; convert in place, back to front.
            auto *out = reinterpret_cast<QRgb *>(line);
            for (int x = static_cast<int>(cinfo->output_width) - 1; x >= 0; --x) {
                const unsigned c = line[4 * x], m = line[4 * x + 1], y = line[4 * x + 2],
                               k = line[4 * x + 3];
                out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
            }
        }
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

struct EncodeContext {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    QImage rgb;
    int quality = 90;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
};

bool EncodeInto(EncodeContext *ctx)
{
    jpeg_compress_struct *cinfo = &ctx->cinfo;
    cinfo->err = jpeg_std_error(&ctx->err.pub);
    ctx->err.pub.error_exit = ErrorExit;
    ctx->err.pub.output_message = IgnoreMessage;
    if (setjmp(ctx->err.jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &ctx->buffer, &ctx->size);
    cinfo->image_width = static_cast<JDIMENSION>(ctx->rgb.width());
    cinfo->image_height = static_cast<JDIMENSION>(ctx->rgb.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, ctx->quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        auto *line = const_cast<unsigned char *>(
            ctx->rgb.constScanLine(static_cast<int>(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &line, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

} // namespace

QImage TJPEGImage::Decode(const QByteArray &bytes)
{
    DecodeContext ctx;
    std::memset(&ctx.cinfo, 0, sizeof ctx.cinfo);
    ctx.input = &bytes;
    if (bytes.isEmpty())
        throw Exception("JPEG error #1: the file is empty");
    if (!DecodeInto(&ctx)) {
        if (ctx.tooLarge)
            throw Exception("JPEG error: the picture is too large");
        throw Exception(std::string("JPEG error: ") + ctx.err.message);
    }
    return ctx.image;
}

QByteArray TJPEGImage::Encode(const QImage &image, int quality)
{
    EncodeContext ctx;
    std::memset(&ctx.cinfo, 0, sizeof ctx.cinfo);
    ctx.rgb = image.convertToFormat(QImage::Format_RGB888);
    ctx.quality = std::clamp(quality, 1, 100);
    const bool ok = !ctx.rgb.isNull() && EncodeInto(&ctx);
    QByteArray out;
    if (ok)
        out = QByteArray(reinterpret_cast<const char *>(ctx.buffer),
                         static_cast<qsizetype>(ctx.size));
    std::free(ctx.buffer);
    if (!ok)
        throw Exception(std::string("JPEG error: ") +
                        (ctx.rgb.isNull() ? "the picture is empty" : ctx.err.message));
    return out;
}

void TJPEGImage::LoadFromBytes(const QByteArray &bytes)
{
    SetContent(bytes, Decode(bytes));
}

void TJPEGImage::Assign(const QImage &image, int quality)
{
    const QByteArray bytes = Encode(image, quality);
    SetContent(bytes, Decode(bytes));
}
