#include "Tarvik_gui.h"

#include <QCloseEvent>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

// ---------------------------------------------------------------- builders

VQWorkflowWidget::VQWorkflowWidget() = default;

VQWorkflowWidget::VQWorkflowWidget(const VQWorkflowWidget& other)
    : QObject(nullptr)
    , view_(other.view_)
    , workflow_instance_(other.workflow_instance_)
    , context_(other.context_) {}

VQWorkflowWidget& VQWorkflowWidget::operator=(const VQWorkflowWidget& other) {
    view_ = other.view_;
    workflow_instance_ = other.workflow_instance_;
    context_ = other.context_;
    return *this;
}

VQWorkflowWidget::~VQWorkflowWidget() = default;

const TypeInfo* VQWorkflowWidget::static_type_info_() {
    static const TypeInfo info("VQWorkflowWidget", nullptr, 0, nullptr);
    return &info;
}

const TypeId& VQWorkflowWidget::type_id() const {
    static const TypeId id(static_type_info_());
    return id;
}

void* VQWorkflowWidget::ptr_cast(const TypeId& other) const {
    return type_id().ptr_cast(this, other);
}

bool VQWorkflowWidget::is_a(const TypeId& other) const {
    return type_id().is_a(other, false);
}

const CString& VQWorkflowWidget::get_context() const {
    return context_;
}

void VQWorkflowWidget::set_workflow_instance(WorkflowInstance* instance) {
    workflow_instance_ = instance;
}

void VQWorkflowWidget::set_context(const CString& context) {
    context_ = context;
}

QWidget* VQWorkflowWidget::build_view(QWidget* parent, const char* name) {
    auto* view = new QWidget(parent);
    view->setObjectName(QString::fromLatin1(name));
    set_view(view);
    return view;
}

void VQWorkflowWidget::enter_view() {}

void VQWorkflowWidget::leave_view() {}

void VQWorkflowWidget::repaint() {
    if (view_) {
        view_->update();
    }
}

void VQWorkflowWidget::set_view(QWidget* view) {
    view_ = view;
}

// ---------------------------------------------------------------- popup menus

namespace {
const char* const popup_marker = "tarvik_lower_area_popup";

// Menus are not deleted as they close, since whoever runs them may still be
// inside QMenu::exec(); the closed ones go when the next one is built.
void delete_closed_popups(QWidget* parent) {
    if (!parent) {
        return;
    }
    for (QMenu* menu : parent->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (menu->property(popup_marker).toBool() && !menu->isVisible()) {
            delete menu;
        }
    }
}
} // namespace

QWidget* VQWorkflowLowerAreaPopupMenu::build_view(QWidget* parent, const char* name) {
    delete_closed_popups(parent);
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setProperty(popup_marker, true);
    // Nobody keeps the builder: it lives as long as its menu.
    setParent(menu);
    fill_menu(menu);
    set_view(menu);
    return menu;
}

void VQWorkflowLowerAreaPopupMenu::fill_menu(QMenu*) {}

void VQWorkflowLowerAreaPopupMenu::detach_left_pane() {
    if (VQWorkflowPanel* panel = TarvikGuiLib::instance()->main_window()->workflow()) {
        // Queued: the request comes from inside the lower area's own event handling.
        QMetaObject::invokeMethod(panel, &VQWorkflowPanel::detach_lower_area, Qt::QueuedConnection);
    }
}

// ---------------------------------------------------------------- registry

VQWorkflowBuilderManager* VQWorkflowBuilderManager::instance() {
    // Never destroyed: modules' factories may outlive the registry's library.
    static auto* manager = new VQWorkflowBuilderManager;
    return manager;
}

void VQWorkflowBuilderManager::register_factory(const CString& workflow, const CString& builder,
                                                AbstractFactory* factory) {
    instance()->factories_.put({workflow.c_str(), builder.c_str()}, factory);
    tarvik_init::tell("register", workflow.c_str(), builder.c_str());
}

VQWorkflowWidget* VQWorkflowBuilderManager::create(const CString& workflow,
                                                   const CString& builder) const {
    AbstractFactory* factory = factories_.find({workflow.c_str(), builder.c_str()});
    return factory ? static_cast<VQWorkflowWidget*>(factory->create()) : nullptr;
}

// ---------------------------------------------------------------- area windows

template <class Builder>
VQWorkflowAreaWindow<Builder>::VQWorkflowAreaWindow(QWidget* parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
}

template <class Builder>
VQWorkflowAreaWindow<Builder>::~VQWorkflowAreaWindow() {
    clear();
}

template <class Builder>
void VQWorkflowAreaWindow<Builder>::show_builder(Builder* builder, WorkflowInstance* instance) {
    clear();
    builder_ = builder;
    builder_->set_workflow_instance(instance);
    view_ = builder_->build_view(this, nullptr);
    if (view_) {
        layout_->addWidget(view_);
    }
    builder_->enter_view();
}

template <class Builder>
void VQWorkflowAreaWindow<Builder>::clear() {
    if (builder_) {
        Builder* leaving = builder_;
        builder_ = nullptr;
        leaving->leave_view();
        delete leaving;
    }
    delete view_;
}

template class TARVIK_GUI_EXPORT VQWorkflowAreaWindow<VQWorkflowWidget>;

// ---------------------------------------------------------------- workflow panel

namespace {
// A top-level window that calls back when the user closes it.
class DetachedPaneWindow : public QWidget {
public:
    DetachedPaneWindow(QWidget* pane, const QString& title, std::function<void()> on_close)
        : QWidget(nullptr, Qt::Window)
        , on_close_(std::move(on_close)) {
        setWindowTitle(title);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(pane);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        on_close_();
    }

private:
    std::function<void()> on_close_;
};

CopyCString property_value(WorkflowInstance* instance, const CString& attribute) {
    CopyCString value;
    instance->get_value(attribute, value, nullptr, true);
    return value;
}
} // namespace

VQWorkflowPanel::VQWorkflowPanel(QWidget* parent)
    : QWidget(parent)
    , splitter_(new QSplitter(Qt::Vertical, this))
    , upper_area_(new VQWorkflowArea(splitter_))
    , lower_area_(new VQWorkflowArea(splitter_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    upper_area_->setObjectName(QStringLiteral("workflow_upper_area"));
    lower_area_->setObjectName(QStringLiteral("workflow_lower_area"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(1, 1);
}

VQWorkflowPanel::~VQWorkflowPanel() {
    lower_area_->clear();
    upper_area_->clear();
    delete detached_window_;
}

bool VQWorkflowPanel::show_workflow(WorkflowInstance* instance) {
    using Attributes = WorkflowElement::WorkflowElementPropertyAttributes;
    VQWorkflowWidget* upper =
        create_builder(instance, Workflow::WorkflowPropertyAttributes::upper_area_builder());
    VQWorkflowWidget* lower = create_builder(instance, Attributes::lower_area_builder());
    if (!upper || !lower) {
        delete upper;
        delete lower;
        return false;
    }
    setWindowTitle(QString::fromLatin1(property_value(instance, Attributes::title()).c_str()));
    upper_area_->show();
    upper_area_->show_builder(upper, instance);
    lower_area_->show_builder(lower, instance);
    return true;
}

VQWorkflowWidget* VQWorkflowPanel::create_builder(WorkflowInstance* instance,
                                                  const CString& attribute) {
    return VQWorkflowBuilderManager::instance()->create(
        property_value(instance, WorkflowElement::WorkflowElementPropertyAttributes::name()),
        property_value(instance, attribute));
}

bool VQWorkflowPanel::is_lower_area_detached() const {
    return !detached_window_.isNull();
}

void VQWorkflowPanel::detach_lower_area() {
    if (detached_window_) {
        detached_window_->raise();
        detached_window_->activateWindow();
        return;
    }
    const QSize size = lower_area_->size();
    detached_window_ = new DetachedPaneWindow(lower_area_, windowTitle(), [this] {
        // Later: the window is still inside its own close handling.
        QMetaObject::invokeMethod(this, &VQWorkflowPanel::attach_lower_area, Qt::QueuedConnection);
    });
    detached_window_->resize(size.expandedTo(QSize(320, 240)));
    detached_window_->show();
}

void VQWorkflowPanel::attach_lower_area() {
    if (!detached_window_) {
        return;
    }
    splitter_->addWidget(lower_area_);
    lower_area_->show();
    detached_window_->deleteLater();
    detached_window_ = nullptr;
}

// ---------------------------------------------------------------- main window

XMMainWindow::XMMainWindow(QWidget* parent)
    : QMainWindow(parent)
    , splitter_(new QSplitter(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("main_window"));
    setWindowTitle(QStringLiteral("Tarvik"));
    setCentralWidget(splitter_);
}

void XMMainWindow::set_graphic_view(QWidget* view) {
    delete graphic_view_;
    graphic_view_ = view;
    splitter_->addWidget(view);
    splitter_->setStretchFactor(splitter_->indexOf(view), 1);
}

XMMainWindow::~XMMainWindow() {
    set_workflow(nullptr);
}

void XMMainWindow::set_workflow(VQWorkflowPanel* panel) {
    if (panel == workflow_) {
        return;
    }
    delete workflow_;
    workflow_ = panel;
    if (panel) {
        splitter_->insertWidget(0, panel);
        splitter_->setStretchFactor(0, 0);
        splitter_->setStretchFactor(1, 1);
        splitter_->setCollapsible(0, false);
        // A workflow pane as wide as a settings page, the view the rest.
        const int pane = std::max(panel->sizeHint().width(), 340);
        splitter_->setSizes({pane, std::max(width() - pane, 200)});
    }
}

TarvikGuiLib* TarvikGuiLib::instance() {
    static auto* lib = new TarvikGuiLib;
    return lib;
}

XMMainWindow* TarvikGuiLib::main_window() {
    if (!main_window_) {
        main_window_ = new XMMainWindow;
    }
    return main_window_;
}

TARVIK_DEFINE_LIBRARY_INIT(Tarvikgui_init, nullptr)
