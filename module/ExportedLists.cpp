// The list members the module exports for the host and other modules.

#include "Kestrava_utils.h"
#include "List.h"
#include "Tarvik_gui.h"
#include "Tarvik_wizard.h"

template class List<void*>;

template PtrList<WorkflowTransition>::PtrList(const PtrList&);
template PtrList<WorkflowTransition>::~PtrList();
template PtrList<WorkflowTransition>& PtrList<WorkflowTransition>::operator=(const PtrList&);
template PtrList<VQWorkflowElementCondition>::PtrList(const PtrList&);
template PtrList<VQWorkflowElementCondition>::~PtrList();
template PtrList<VQWorkflowElementCondition>&
PtrList<VQWorkflowElementCondition>::operator=(const PtrList&);
// Of the settings' value lists, other modules only ask the length; the
// product library makes and frees them.
template long PtrList<Value>::count() const;
