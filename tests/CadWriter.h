#pragma once

// STEP and IGES files written by OpenCASCADE for the tests: a box, a
// cylinder, an assembly of two parts with one placed twice, a box with one
// coloured face, and a face alone, a surface with no solid; and for the
// benchmarks, a file of many parts.

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <IGESCAFControl_Writer.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <QFile>
#include <QString>
#include <STEPCAFControl_Writer.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <gp_Pln.hxx>
#include <gp_Trsf.hxx>

enum class CadShape { box, cylinder, assembly, coloured_face, lone_face };

inline Handle(TDocStd_Document) new_cad_document() {
    // Its reports of each transfer are not the tests' output.
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    return document;
}

// Writes the document and closes it.
inline bool write_cad_document(const Handle(TDocStd_Document) & document, const QString& path,
                               const char* unit) {
    const QByteArray file = QFile::encodeName(path);
    bool written = false;
    if (path.endsWith(QLatin1String(".igs")) || path.endsWith(QLatin1String(".iges"))) {
        Interface_Static::SetCVal("write.iges.unit", unit);
        IGESCAFControl_Writer writer;
        written = writer.Transfer(document) && writer.Write(file.constData());
    } else {
        STEPCAFControl_Writer writer;
        Interface_Static::SetCVal("write.step.unit", unit);
        written = writer.Transfer(document, STEPControl_AsIs) &&
                  writer.Write(file.constData()) == IFSelect_RetDone;
    }
    XCAFApp_Application::GetApplication()->Close(document);
    return written;
}

// Writes the shape as STEP, its lengths in `unit` (MM, INCH, …), or as
// IGES for a path ending in .igs or .iges; false if OpenCASCADE could not.
inline bool write_cad(CadShape what, const QString& path, const char* unit = "MM") {
    const Handle(TDocStd_Document) document = new_cad_document();
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
    const TopoDS_Shape box = BRepPrimAPI_MakeBox(10, 20, 30).Shape();
    switch (what) {
    case CadShape::box:
        shapes->AddShape(box);
        break;
    case CadShape::cylinder:
        shapes->AddShape(BRepPrimAPI_MakeCylinder(5, 20).Shape());
        break;
    case CadShape::assembly: {
        const TDF_Label assembly = shapes->NewShape();
        const TDF_Label block = shapes->AddShape(box, false);
        const TDF_Label rod = shapes->AddShape(BRepPrimAPI_MakeCylinder(5, 20).Shape(), false);
        gp_Trsf beside;
        beside.SetTranslation(gp_Vec(100, 0, 0));
        shapes->AddComponent(assembly, block, TopLoc_Location());
        shapes->AddComponent(assembly, block, TopLoc_Location(beside));
        shapes->AddComponent(assembly, rod, TopLoc_Location());
        shapes->UpdateAssemblies();
        break;
    }
    case CadShape::lone_face:
        shapes->AddShape(BRepBuilderAPI_MakeFace(gp_Pln(), 0, 10, 0, 20).Face());
        break;
    case CadShape::coloured_face: {
        const TDF_Label part = shapes->AddShape(box);
        TopExp_Explorer face(box, TopAbs_FACE);
        const TDF_Label face_label = shapes->AddSubShape(part, face.Current());
        XCAFDoc_DocumentTool::ColorTool(document->Main())
            ->SetColor(face_label, Quantity_Color(1, 0, 0, Quantity_TOC_RGB), XCAFDoc_ColorSurf);
        break;
    }
    }
    return write_cad_document(document, path, unit);
}

// A STEP file of `count` parts side by side, cylinders and spheres of
// sizes each their own: curved faces, as machined parts have, some 4 kB of
// STEP a part.
inline bool write_cad_parts(int count, const QString& path) {
    const Handle(TDocStd_Document) document = new_cad_document();
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
    for (int part = 0; part < count; ++part) {
        const gp_Ax2 at(gp_Pnt(30.0 * (part % 32), 30.0 * (part / 32), 0), gp::DZ());
        const double size = 5 + 0.01 * part;
        shapes->AddShape(part % 2 ? BRepPrimAPI_MakeSphere(at, size).Shape()
                                  : BRepPrimAPI_MakeCylinder(at, size, 2 * size).Shape());
    }
    return write_cad_document(document, path, "MM");
}
