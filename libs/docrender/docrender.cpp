// The docrender family library: its C entry points over the markup reader and the paginator.
#include "docrender.h"

#include "doclayout.h"
#include "docmarkup.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

using namespace docrender;

namespace {

struct TRenderer
{
    QByteArray Buffer;
    bool Loaded = false;
    TMarkup Markup;
    std::unique_ptr<TDocTree> Tree;
    // Shared so that a page being drawn survives a page-break procedure that frees or repaginates.
    std::shared_ptr<const TPagination> Pages;
    double Scale = 1;
};

std::mutex RegistryLock;
std::map<std::uint32_t, std::shared_ptr<TRenderer>> Registry;
std::uint32_t NextIndex = 1;

std::shared_ptr<TRenderer> Find(std::uint32_t index)
{
    const std::lock_guard lock(RegistryLock);
    const auto found = Registry.find(index);
    return found == Registry.end() ? nullptr : found->second;
}

// Nothing may leave an entry point but its result.
template <typename R, typename F>
R Guard(R failure, F &&body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// Fonts exist only under a GUI application; without one, laying out or drawing would abort.
bool FontsAvailable()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

QPainter *ActivePainter(DR_HDC handle)
{
    auto *painter = reinterpret_cast<QPainter *>(handle);
    return painter && painter->isActive() && painter->device() ? painter : nullptr;
}

DR_BOOL CopyText(const QString &text, char16_t *buffer, std::uint32_t size)
{
    if (!buffer || size == 0)
        return false;
    qsizetype length = std::min<qsizetype>(text.size(), static_cast<qsizetype>(size) - 1);
    // Never leave half of a surrogate pair at the cut.
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate())
        --length;
    std::memcpy(buffer, text.utf16(), static_cast<std::size_t>(length) * sizeof(char16_t));
    buffer[length] = u'\0';
    return true;
}

class TPainterState
{
public:
    explicit TPainterState(QPainter &painter) : FPainter(painter) { FPainter.save(); }
    ~TPainterState() { FPainter.restore(); }
    TPainterState(const TPainterState &) = delete;
    TPainterState &operator=(const TPainterState &) = delete;

private:
    QPainter &FPainter;
};

DR_BOOL RenderPages(std::uint32_t index, DOCRENDER *record, bool all)
{
    const std::shared_ptr<TRenderer> renderer = Find(index);
    if (!renderer || !record || !renderer->Pages || !FontsAvailable())
        return false;
    // Pages are never written to files here; asking for it must not look like success.
    if (record->bSavePagesToFiles)
        return false;
    const std::shared_ptr<const TPagination> pages = renderer->Pages;
    const std::uint32_t count = static_cast<std::uint32_t>(pages->PageCount());
    std::uint32_t first = all ? 1 : record->uFirstPage;
    std::uint32_t last = all ? count : record->uLastPage;
    if (first == 0)
        first = 1;
    if (last == 0 || last > count)
        last = count;
    if (first > last)
        return false;

    QPainter *painter = ActivePainter(record->hCanvas);
    if (!painter)
        return false;
    double resolution = pages->Resolution();
    if (record->hDevice) {
        if (QPainter *device = ActivePainter(record->hDevice))
            resolution = device->device()->logicalDpiY();
    } else if (record->uResolution) {
        resolution = record->uResolution;
    }
    const double factor = resolution / pages->Resolution() * renderer->Scale;
    const PAGEBREAKPROC pageBreak = record->lpPageBreakProc;
    DR_HDC canvas = record->hCanvas;

    for (std::uint32_t page = first; page <= last; ++page) {
        if (page > first && pageBreak) {
            PAGEBREAKPARAMS params{};
            params.hCanvas = canvas;
            params.bSavePagesToFiles = record->bSavePagesToFiles;
            params.bPageFileFormat = record->bPageFileFormat;
            params.lpPageSaveDir = record->lpPageSaveDir;
            params.uRendObj = index;
            if (!pageBreak(&params))
                return false;
            canvas = params.hCanvas;
            painter = ActivePainter(canvas);
            if (!painter)
                return false;
        }
        const TPainterState state(*painter);
        painter->scale(factor, factor);
        pages->DrawPage(*painter, static_cast<int>(page) - 1);
    }
    return true;
}

// Node 0 stands above the document; node n is Tree->Nodes[n - 1].
const TNode *NodeAt(const TRenderer &renderer, std::uint32_t node)
{
    if (!renderer.Tree || node == 0 || node > renderer.Tree->Nodes.size())
        return nullptr;
    return &renderer.Tree->Nodes[node - 1];
}

std::vector<std::uint32_t> ChildrenOf(const TRenderer &renderer, std::uint32_t node)
{
    std::vector<std::uint32_t> children;
    if (!renderer.Tree || renderer.Tree->Nodes.empty())
        return children;
    if (node == 0) {
        children.push_back(1);
    } else if (const TNode *parent = NodeAt(renderer, node)) {
        for (int child : parent->Children)
            children.push_back(static_cast<std::uint32_t>(child) + 1);
    }
    return children;
}

// A paragraph's attributes, then where the last pagination put it.
TAttributes PropertiesOf(const TRenderer &renderer, std::uint32_t node)
{
    const TNode *found = NodeAt(renderer, node);
    if (!found)
        return {};
    TAttributes properties = found->Properties;
    if (found->Type == TNodeType::Paragraph && renderer.Pages
        && found->Paragraph < static_cast<int>(renderer.Pages->Placements().size())) {
        const TParagraphPlacement &placement =
            renderer.Pages->Placements()[static_cast<std::size_t>(found->Paragraph)];
        properties.append({QStringLiteral("page"), QString::number(placement.FirstPage)});
        properties.append({QStringLiteral("top"), QString::number(placement.Top)});
        properties.append({QStringLiteral("height"), QString::number(placement.Height)});
        properties.append({QStringLiteral("lines"), QString::number(placement.Lines)});
        properties.append({QStringLiteral("line-height"), QString::number(placement.LineHeight)});
    }
    return properties;
}

} // namespace

uint32_t DOCREND_CALL DocRend_CreateObject(void)
{
    return Guard<std::uint32_t>(0, [] {
        const std::lock_guard lock(RegistryLock);
        while (NextIndex == 0 || Registry.count(NextIndex))
            ++NextIndex;
        const std::uint32_t index = NextIndex++;
        Registry.emplace(index, std::make_shared<TRenderer>());
        return index;
    });
}

DR_BOOL DOCREND_CALL DocRend_FreeObject(uint32_t ARendIndex)
{
    return Guard<DR_BOOL>(false, [&] {
        std::shared_ptr<TRenderer> freed;
        {
            const std::lock_guard lock(RegistryLock);
            const auto found = Registry.find(ARendIndex);
            if (found == Registry.end())
                return false;
            freed = std::move(found->second);
            Registry.erase(found);
        }
        return true;
    });
}

DR_BOOL DOCREND_CALL DocRend_LoadXML(uint32_t ARendIndex, DOCRENDER *ADocRender)
{
    return Guard<DR_BOOL>(false, [&] {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !ADocRender)
            return false;
        *renderer = TRenderer();
        if (!ADocRender->lpXMLBuffer && ADocRender->nXMLBufferSize > 0)
            return false;
        renderer->Buffer = QByteArray(ADocRender->lpXMLBuffer, static_cast<qsizetype>(ADocRender->nXMLBufferSize));
        renderer->Loaded = ReadMarkup(renderer->Buffer, renderer->Markup);
        if (!renderer->Loaded)
            renderer->Markup = TMarkup();
        return renderer->Loaded;
    });
}

DR_BOOL DOCREND_CALL DocRend_BuildTree(uint32_t ARendIndex, DOCRENDER *ADocRender)
{
    return Guard<DR_BOOL>(false, [&] {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !ADocRender || !renderer->Loaded)
            return false;
        renderer->Pages.reset();
        renderer->Tree.reset();
        auto tree = std::make_unique<TDocTree>();
        if (!BuildDocTree(renderer->Markup, *tree))
            return false;
        renderer->Tree = std::move(tree);
        return true;
    });
}

DR_BOOL DOCREND_CALL DocRend_Paginate(uint32_t ARendIndex, DOCRENDER *ADocRender)
{
    return Guard<DR_BOOL>(false, [&] {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !ADocRender || !renderer->Tree || !FontsAvailable())
            return false;
        renderer->Pages.reset();

        double resolution = 0;
        double width = 0;
        double height = 0;
        QPaintDevice *metrics = nullptr;
        QImage measure;
        if (ADocRender->hDevice) {
            // The printer is used in full-page mode: the device's size is the whole sheet.
            QPainter *device = ActivePainter(ADocRender->hDevice);
            if (!device)
                return false;
            metrics = device->device();
            resolution = metrics->logicalDpiY();
            width = metrics->width();
            height = metrics->height();
        } else {
            resolution = ADocRender->uResolution;
            width = ADocRender->uPhysicalWidth;
            height = ADocRender->uPhysicalHeight;
            if (resolution < 1 || resolution > 100000)
                return false;
            // No sheet given: the page element's own size.
            if (width == 0 || height == 0) {
                width = std::floor(renderer->Tree->Page.WidthMm * resolution / 25.4);
                height = std::floor(renderer->Tree->Page.HeightMm * resolution / 25.4);
            }
            measure = QImage(1, 1, QImage::Format_RGB32);
            const int dotsPerMeter = static_cast<int>(std::lround(resolution / 0.0254));
            measure.setDotsPerMeterX(dotsPerMeter);
            measure.setDotsPerMeterY(dotsPerMeter);
            metrics = &measure;
        }
        if (resolution < 1 || width < 1 || height < 1 || width > 1e7 || height > 1e7)
            return false;

        auto pages = std::make_shared<const TPagination>(*renderer->Tree, resolution, width, height, metrics);
        if (!pages->IsValid())
            return false;
        renderer->Pages = std::move(pages);
        return true;
    });
}

DR_BOOL DOCREND_CALL DocRend_RenderRange(uint32_t ARendIndex, DOCRENDER *ADocRender)
{
    return Guard<DR_BOOL>(false, [&] { return RenderPages(ARendIndex, ADocRender, false); });
}

DR_BOOL DOCREND_CALL DocRend_GetDocTitle(uint32_t ARendIndex, char16_t *lpBuffer, uint32_t nBufferSize)
{
    return Guard<DR_BOOL>(false, [&]() -> DR_BOOL {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !renderer->Tree) {
            CopyText(QString(), lpBuffer, nBufferSize);
            return false;
        }
        return CopyText(renderer->Tree->Title, lpBuffer, nBufferSize);
    });
}

uint32_t DOCREND_CALL DocRend_GetPageCount(uint32_t ARendIndex)
{
    return Guard<std::uint32_t>(0, [&]() -> std::uint32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        return renderer && renderer->Pages ? static_cast<std::uint32_t>(renderer->Pages->PageCount()) : 0;
    });
}

DR_BOOL DOCREND_CALL DocRend_Render(uint32_t ARendIndex, DOCRENDER *ADocRender)
{
    return Guard<DR_BOOL>(false, [&] { return RenderPages(ARendIndex, ADocRender, true); });
}

uint32_t DOCREND_CALL DocRend_GetSavedPagesFileCount(uint32_t)
{
    return 0;
}

DR_BOOL DOCREND_CALL DocRend_GetSavedPagesFiles(uint32_t, uint32_t, char16_t *, uint32_t)
{
    return false;
}

DR_BOOL DOCREND_CALL DocRend_Reset(uint32_t ARendIndex)
{
    return Guard<DR_BOOL>(false, [&] {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer)
            return false;
        *renderer = TRenderer();
        return true;
    });
}

DR_BOOL DOCREND_CALL DocRend_SetScale(uint32_t ARendIndex, double AScale)
{
    return Guard<DR_BOOL>(false, [&] {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !(AScale > 0 && AScale <= 100))
            return false;
        renderer->Scale = AScale;
        return true;
    });
}

DR_BOOL DOCREND_CALL DocRend_SetKey(uint32_t, const uint8_t *, uint32_t)
{
    return false;
}

DR_BOOL DOCREND_CALL DocRend_Encode(uint32_t, const uint8_t *, uint32_t, uint8_t *, uint32_t *)
{
    return false;
}

DR_BOOL DOCREND_CALL DocRend_Decode(uint32_t, const uint8_t *, uint32_t, uint8_t *, uint32_t *)
{
    return false;
}

uint32_t DOCREND_CALL DocRend_GetChildNodeCount(uint32_t ARendIndex, uint32_t ANode)
{
    return Guard<std::uint32_t>(0, [&]() -> std::uint32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        return renderer ? static_cast<std::uint32_t>(ChildrenOf(*renderer, ANode).size()) : 0;
    });
}

uint32_t DOCREND_CALL DocRend_GetChildNodes(uint32_t ARendIndex, uint32_t ANode, uint32_t *lpNodes, uint32_t nCount)
{
    return Guard<std::uint32_t>(0, [&]() -> std::uint32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !lpNodes)
            return 0;
        const std::vector<std::uint32_t> children = ChildrenOf(*renderer, ANode);
        const std::uint32_t written = std::min<std::uint32_t>(nCount, static_cast<std::uint32_t>(children.size()));
        std::copy_n(children.begin(), written, lpNodes);
        return written;
    });
}

uint32_t DOCREND_CALL DocRend_GetNodeType(uint32_t ARendIndex, uint32_t ANode)
{
    return Guard<std::uint32_t>(std::uint32_t{DR_NODE_NONE}, [&]() -> std::uint32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        const TNode *node = renderer ? NodeAt(*renderer, ANode) : nullptr;
        return node ? static_cast<std::uint32_t>(node->Type) : std::uint32_t{DR_NODE_NONE};
    });
}

uint32_t DOCREND_CALL DocRend_GetPropertyCount(uint32_t ARendIndex, uint32_t ANode)
{
    return Guard<std::uint32_t>(0, [&]() -> std::uint32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        return renderer ? static_cast<std::uint32_t>(PropertiesOf(*renderer, ANode).size()) : 0;
    });
}

// Copies the name or the value (part) of a node's property into the caller's buffer.
static DR_BOOL CopyProperty(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                            QString TAttributes::value_type::*part, char16_t *lpBuffer, uint32_t nBufferSize)
{
    return Guard<DR_BOOL>(false, [&]() -> DR_BOOL {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer)
            return false;
        const TAttributes properties = PropertiesOf(*renderer, ANode);
        if (AProperty >= static_cast<std::uint32_t>(properties.size()))
            return false;
        return CopyText(properties[AProperty].*part, lpBuffer, nBufferSize);
    });
}

DR_BOOL DOCREND_CALL DocRend_GetPropertyName(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                             char16_t *lpBuffer, uint32_t nBufferSize)
{
    return CopyProperty(ARendIndex, ANode, AProperty, &TAttributes::value_type::first, lpBuffer, nBufferSize);
}

DR_BOOL DOCREND_CALL DocRend_GetPropertyValue(uint32_t ARendIndex, uint32_t ANode, uint32_t AProperty,
                                              char16_t *lpBuffer, uint32_t nBufferSize)
{
    return CopyProperty(ARendIndex, ANode, AProperty, &TAttributes::value_type::second, lpBuffer, nBufferSize);
}

int32_t DOCREND_CALL DocRend_FindPropertyIndex(uint32_t ARendIndex, uint32_t ANode, const char16_t *lpName)
{
    return Guard<std::int32_t>(-1, [&]() -> std::int32_t {
        const std::shared_ptr<TRenderer> renderer = Find(ARendIndex);
        if (!renderer || !lpName)
            return -1;
        const QString name = QString::fromUtf16(lpName);
        const TAttributes properties = PropertiesOf(*renderer, ANode);
        for (qsizetype i = 0; i < properties.size(); ++i) {
            if (properties[i].first == name)
                return static_cast<std::int32_t>(i);
        }
        return -1;
    });
}
