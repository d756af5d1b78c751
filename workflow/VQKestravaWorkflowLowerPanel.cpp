#include "workflow/VQKestravaWorkflowLowerPanel.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>

#include "Kestrava_spaceWare.h"
#include "motionctrl/VQMotionCtrlPref.h"

VQKestravaWorkflowLowerPanel::VQKestravaWorkflowLowerPanel() = default;

VQKestravaWorkflowLowerPanel::VQKestravaWorkflowLowerPanel(
    const VQKestravaWorkflowLowerPanel& other) = default;

VQKestravaWorkflowLowerPanel&
VQKestravaWorkflowLowerPanel::operator=(const VQKestravaWorkflowLowerPanel& other) = default;

VQKestravaWorkflowLowerPanel::~VQKestravaWorkflowLowerPanel() = default;

QWidget* VQKestravaWorkflowLowerPanel::build_view(QWidget* parent, const char*) {
    auto* scroll = new QScrollArea(parent);
    preferences_editor_ =
        new VQMotionCtrlPref(SpaceWareLib::instance()->preferences_manager(), scroll->viewport(),
                             "Preferences Editor", Qt::WindowFlags());
    scroll->setWidget(preferences_editor_);
    scroll->setWidgetResizable(true);
    scroll->installEventFilter(this);
    set_view(scroll);
    return scroll;
}

bool VQKestravaWorkflowLowerPanel::eventFilter(QObject* watched, QEvent* event) {
    if (is_menu_request(watched, event)) {
        open_popup_menu();
    }
    return QObject::eventFilter(watched, event);
}

// A right-button press on the scroll area itself, whatever the modifiers.
bool VQKestravaWorkflowLowerPanel::is_menu_request(const QObject* watched,
                                                   const QEvent* event) const {
    return event->type() == QEvent::MouseButtonPress &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton && get_view() &&
           watched == get_view();
}

// The builder the workflow names, registered under its own name or, failing
// that, under the generic "Workflow".
VQWorkflowWidget* VQKestravaWorkflowLowerPanel::create_popup_menu_builder() const {
    const WorkflowInstance* instance = get_workflow_instance();
    if (!instance || !instance->get_workflow_template()) {
        return nullptr; // nothing tells which menu to build
    }
    using Attributes = WorkflowElement::WorkflowElementPropertyAttributes;
    CopyCString workflow_name;
    instance->get_workflow_template()->get_property()->get_value(Attributes::name(), workflow_name);
    CopyCString builder_name;
    instance->get_value(Attributes::lower_area_popup_menu_builder(), builder_name, nullptr, true);
    VQWorkflowBuilderManager* builders = VQWorkflowBuilderManager::instance();
    if (VQWorkflowWidget* builder = builders->create(workflow_name, builder_name)) {
        return builder;
    }
    // Read again rather than reused: creating a builder ran one of the
    // host's factories, which may have changed the instance's properties.
    CopyCString generic_builder_name;
    instance->get_value(Attributes::lower_area_popup_menu_builder(), generic_builder_name, nullptr,
                        true);
    return builders->create("Workflow", generic_builder_name);
}

// The builder and its menu are the host's from here on.
void VQKestravaWorkflowLowerPanel::open_popup_menu() {
    VQWorkflowWidget* builder = create_popup_menu_builder();
    if (!builder) {
        return;
    }
    builder->set_workflow_instance(get_workflow_instance());
    QWidget* view = builder->build_view(get_view(), nullptr);
    builder->enter_view();
    if (auto* menu = qobject_cast<QMenu*>(view)) {
        menu->exec(QCursor::pos());
    }
}
