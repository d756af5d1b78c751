#pragma once

// The host's GUI library: workflow-area builders and their registry, the main
// window and its workflow panel.

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>
#include <utility>

#include "Tarvik_utils.h"
#include "Tarvik_wizard.h"
#include "tarvik_gui_export.h"

class QMenu;
class QSplitter;
class QVBoxLayout;

// Builds the view of one area of a workflow on request. Not a widget itself.
class TARVIK_GUI_EXPORT VQWorkflowWidget : public QObject {
    Q_OBJECT
public:
    // The kind of object that builder factories create.
    using FactoryProduct = VQWorkflowWidget;

    VQWorkflowWidget();
    // Copies the builder's state; the copy has no Qt parent.
    VQWorkflowWidget(const VQWorkflowWidget& other);
    VQWorkflowWidget& operator=(const VQWorkflowWidget& other);
    ~VQWorkflowWidget() override;

    static const TypeInfo* static_type_info_();

    QWidget* get_view() const { return view_; }
    WorkflowInstance* get_workflow_instance() const { return workflow_instance_; }

    virtual const TypeId& type_id() const;
    virtual void* ptr_cast(const TypeId& other) const;
    virtual bool is_a(const TypeId& other) const;
    virtual const CString& get_context() const;
    virtual void set_workflow_instance(WorkflowInstance* instance);
    virtual void set_context(const CString& context);
    // Creates the area's widget as a child of `parent`.
    virtual QWidget* build_view(QWidget* parent, const char* name);
    // Called when the area is shown, and when it is left.
    virtual void enter_view();
    virtual void leave_view();
    virtual void repaint();

protected:
    void set_view(QWidget* view);

private:
    QPointer<QWidget> view_;
    WorkflowInstance* workflow_instance_ = nullptr;
    CopyCString context_;
};

// Builds the popup menu of a workflow's lower area.
class TARVIK_GUI_EXPORT VQWorkflowLowerAreaPopupMenu : public VQWorkflowWidget {
    Q_OBJECT
public:
    VQWorkflowLowerAreaPopupMenu() = default;
    VQWorkflowLowerAreaPopupMenu(const VQWorkflowLowerAreaPopupMenu& other) = default;
    VQWorkflowLowerAreaPopupMenu& operator=(const VQWorkflowLowerAreaPopupMenu& other) = default;

    // A QMenu, filled by fill_menu(). The menu and this builder are deleted
    // once the menu has closed.
    QWidget* build_view(QWidget* parent, const char* name) override;

public slots:
    // Moves the main window's lower area into a window of its own.
    void detach_left_pane();

protected:
    virtual void fill_menu(QMenu* menu);
};

// Registry of area-builder factories, by (workflow name, builder name).
class TARVIK_GUI_EXPORT VQWorkflowBuilderManager {
public:
    static VQWorkflowBuilderManager* instance();

    // Keeps `factory`; a factory registered earlier under the pair is released.
    static void register_factory(const CString& workflow, const CString& builder,
                                 AbstractFactory* factory);

    // A new builder from the pair's factory, owned by the caller, or null.
    VQWorkflowWidget* create(const CString& workflow, const CString& builder) const;

    VQWorkflowBuilderManager(const VQWorkflowBuilderManager&) = delete;
    VQWorkflowBuilderManager& operator=(const VQWorkflowBuilderManager&) = delete;

private:
    VQWorkflowBuilderManager() = default;

    FactoryTable<std::pair<std::string, std::string>> factories_;
};

// The window of one workflow area: it holds a builder and the view it built.
template <class Builder>
class VQWorkflowAreaWindow : public QWidget {
public:
    explicit VQWorkflowAreaWindow(QWidget* parent = nullptr);
    ~VQWorkflowAreaWindow() override;

    // Takes `builder`, builds its view into this window and enters it.
    void show_builder(Builder* builder, WorkflowInstance* instance);
    // Leaves the view, then deletes it and the builder.
    void clear();
    Builder* builder() const { return builder_; }
    QWidget* view() const { return view_; }

private:
    Builder* builder_ = nullptr;
    QPointer<QWidget> view_;
    QVBoxLayout* layout_;
};

using VQWorkflowArea = VQWorkflowAreaWindow<VQWorkflowWidget>;

// Shows one workflow instance: its upper area above its lower area.
class TARVIK_GUI_EXPORT VQWorkflowPanel : public QWidget {
    Q_OBJECT
public:
    explicit VQWorkflowPanel(QWidget* parent = nullptr);
    // Leaves both areas while the panel is still whole: builders reach back to it.
    ~VQWorkflowPanel() override;

    // Builds both areas with the builders the instance's template names.
    // Returns false when the template names a builder that is not registered.
    bool show_workflow(WorkflowInstance* instance);

    VQWorkflowArea* workflow_upper_area() const { return upper_area_; }
    VQWorkflowArea* workflow_lower_area() const { return lower_area_; }
    bool is_lower_area_detached() const;

public slots:
    // Moves the lower area into a window of its own; closing that window
    // brings it back.
    void detach_lower_area();
    void attach_lower_area();

private:
    VQWorkflowWidget* create_builder(WorkflowInstance* instance, const CString& attribute);

    QSplitter* splitter_;
    VQWorkflowArea* upper_area_;
    VQWorkflowArea* lower_area_;
    QPointer<QWidget> detached_window_;
};

class TARVIK_GUI_EXPORT XMMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit XMMainWindow(QWidget* parent = nullptr);
    // Removes the workflow panel while the window is whole: its builders
    // reach back to the window as they leave.
    ~XMMainWindow() override;

    // The panel showing the current workflow, or null.
    VQWorkflowPanel* workflow() const { return workflow_; }
    // Replaces the workflow panel (null removes it); the window owns it. It
    // sits at the left of the graphic view.
    void set_workflow(VQWorkflowPanel* panel);
    // The graphic view, at the right of the workflow; the application makes
    // it, the window owns it. A new one replaces the old.
    void set_graphic_view(QWidget* view);
    QWidget* graphic_view() const { return graphic_view_; }

private:
    QSplitter* splitter_;
    QPointer<QWidget> graphic_view_;
    QPointer<VQWorkflowPanel> workflow_;
};

class TARVIK_GUI_EXPORT TarvikGuiLib {
public:
    static TarvikGuiLib* instance();

    // The application's main window, made at the first call.
    XMMainWindow* main_window();

private:
    TarvikGuiLib() = default;

    QPointer<XMMainWindow> main_window_;
};

// A condition on entering a workflow element.
class TARVIK_GUI_EXPORT VQWorkflowElementCondition {
public:
    virtual ~VQWorkflowElementCondition() = default;
    virtual bool holds(const WorkflowInstance* instance) const = 0;
};

TARVIK_DECLARE_LIBRARY_INIT(TARVIK_GUI_EXPORT, Tarvikgui_init);
