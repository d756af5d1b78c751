#include "CadFile.h"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESCAFControl_Reader.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <Interface_Static.hxx>
#include <Message_ProgressIndicator.hxx>
#include <Poly_Triangulation.hxx>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Controller.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_SequenceOfAsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XSControl_WorkSession.hxx>
#include <algorithm>
#include <iterator>

namespace {
// A curved face is cut finely enough to look smooth, though the view
// shades each triangle flat: chords stray from it by at most 0.05 % of the
// model's diagonal, which turns them by about 8 degrees on a part as large
// as the model, and by at most 20 degrees on the small parts of a large
// assembly, which would otherwise cost millions of triangles.
constexpr double relative_deflection = 0.0005;
constexpr double angular_deflection = 20 * M_PI / 180;
// Deeper assemblies than any tool writes are a file that builds itself.
constexpr int deepest_assembly = 64;

// Hands OpenCASCADE's progress on, and its answer back.
class Progress : public Message_ProgressIndicator {
public:
    explicit Progress(const ReadProgress& progress)
        : relay_(progress) {}
    Standard_Boolean UserBreak() override { return relay_.stopped(); }
    void Show(const Message_ProgressScope&, const Standard_Boolean) override {
        relay_.tell(GetPosition());
    }
    bool stopped() const { return relay_.stopped(); }

private:
    ProgressRelay relay_;
};

QRgb rgb_of(const Quantity_Color& colour) {
    double r, g, b;
    colour.Values(r, g, b, Quantity_TOC_sRGB);
    return qRgb(int(std::lround(r * 255)), int(std::lround(g * 255)), int(std::lround(b * 255)));
}

class AssemblyWalk {
public:
    AssemblyWalk(const Handle(XCAFDoc_ShapeTool) & shapes,
                 const Handle(XCAFDoc_ColorTool) & colours, ModelBuilder& builder)
        : shapes_(shapes)
        , colours_(colours)
        , builder_(builder) {}

    void add(const TDF_Label& label, const TopLoc_Location& placement, QRgb colour, int depth) {
        if (depth > deepest_assembly) {
            return;
        }
        colour = colour_of(label, colour);
        TDF_Label referred;
        if (shapes_->IsReference(label) && shapes_->GetReferredShape(label, referred)) {
            add(referred, placement * shapes_->GetLocation(label), colour, depth + 1);
        } else if (shapes_->IsAssembly(label)) {
            TDF_LabelSequence components;
            shapes_->GetComponents(label, components);
            for (const TDF_Label& component : components) {
                add(component, placement, colour, depth + 1);
            }
        } else {
            add_part(shapes_->GetShape(label), placement, colour);
        }
    }

    int parts = 0;
    size_t faces = 0;

private:
    // The colour the file gives a part or a face, else the one it inherits.
    template <typename Of>
    QRgb colour_of(const Of& what, QRgb inherited) const {
        Quantity_Color colour;
        for (const XCAFDoc_ColorType type : {XCAFDoc_ColorSurf, XCAFDoc_ColorGen}) {
            if (colours_->GetColor(what, type, colour)) {
                return rgb_of(colour);
            }
        }
        return inherited;
    }

    void add_part(const TopoDS_Shape& shape, const TopLoc_Location& placement, QRgb colour) {
        if (shape.IsNull()) {
            return;
        }
        ++parts;
        for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
            const TopoDS_Face& face = TopoDS::Face(e.Current());
            TopLoc_Location own;
            const Handle(Poly_Triangulation) mesh = BRep_Tool::Triangulation(face, own);
            if (mesh.IsNull()) {
                continue;
            }
            ++faces;
            const gp_Trsf where = (placement * own).Transformation();
            const bool reversed = face.Orientation() == TopAbs_REVERSED;
            const QRgb face_colour = colour_of(face, colour);
            for (int t = 1; t <= mesh->NbTriangles(); ++t) {
                int a, b, c;
                mesh->Triangle(t).Get(a, b, c);
                if (reversed) {
                    std::swap(b, c);
                }
                builder_.add_triangle(corner(*mesh, a, where), corner(*mesh, b, where),
                                      corner(*mesh, c, where), {}, face_colour);
            }
        }
    }

    static Model::Point corner(const Poly_Triangulation& mesh, int node, const gp_Trsf& where) {
        const gp_Pnt p = mesh.Node(node).Transformed(where);
        return {p.X(), p.Y(), p.Z()};
    }

    Handle(XCAFDoc_ShapeTool) shapes_;
    Handle(XCAFDoc_ColorTool) colours_;
    ModelBuilder& builder_;
};

// Every free shape of the document, meshed at a deflection relative to
// their size.
void mesh_shapes(const Handle(XCAFDoc_ShapeTool) & shapes, const TDF_LabelSequence& roots) {
    Bnd_Box box;
    for (const TDF_Label& root : roots) {
        BRepBndLib::Add(shapes->GetShape(root), box);
    }
    if (box.IsVoid()) {
        return;
    }
    const double diagonal = std::sqrt(box.SquareExtent());
    for (const TDF_Label& root : roots) {
        BRepMesh_IncrementalMesh(shapes->GetShape(root), relative_deflection * diagonal, false,
                                 angular_deflection, false);
    }
}

Handle(XSControl_WorkSession) session_of(STEPCAFControl_Reader& reader) {
    return reader.ChangeReader().WS();
}

Handle(XSControl_WorkSession) session_of(IGESCAFControl_Reader& reader) {
    return reader.WS();
}

// A unit's name as the file gives it, if it is a short printable one: the
// caption shows it, and the host takes no other.
QString unit_named(const char* name) {
    const QString unit = QString::fromLatin1(name).toLower();
    const bool printable =
        std::all_of(unit.begin(), unit.end(), [](QChar c) { return c >= ' ' && c <= '~'; });
    return printable && unit.size() < 16 ? unit : QString();
}

// The unit of length a STEP file names.
QString unit_of(STEPCAFControl_Reader& reader) {
    TColStd_SequenceOfAsciiString lengths, angles, solid_angles;
    reader.ChangeReader().FileUnits(lengths, angles, solid_angles);
    return lengths.IsEmpty() ? QString() : unit_named(lengths.First().ToCString());
}

// An IGES file's unit, by the number its global section gives, in the
// words STEP names them with; flag 3 names it itself.
QString unit_of(IGESCAFControl_Reader& reader) {
    const Handle(IGESData_IGESModel) model =
        Handle(IGESData_IGESModel)::DownCast(reader.WS()->Model());
    if (model.IsNull()) {
        return {};
    }
    const IGESData_GlobalSection& global = model->GlobalSection();
    static const char* const units[] = {"",     "inch",       "millimetre", "",
                                        "foot", "mile",       "metre",      "kilometre",
                                        "mil",  "micrometre", "centimetre", "microinch"};
    const int flag = global.UnitFlag();
    if (flag == 3 && !global.UnitName().IsNull()) {
        return unit_named(global.UnitName()->ToCString());
    }
    return flag > 0 && flag < int(std::size(units)) ? QLatin1String(units[flag]) : QString();
}

// The first fault the file's own form shows (an entity naming one that is
// not there, say): such a file would be drawn with holes.
QString first_fault(const Handle(XSControl_WorkSession) & session) {
    Interface_CheckIterator checks = session->ModelCheckList(Standard_False);
    for (checks.Start(); checks.More(); checks.Next()) {
        const Handle(Interface_Check)& check = checks.Value();
        if (check->HasFailed()) {
            return quoted_text(check->CFail(1));
        }
    }
    return {};
}

// The document of a STEP or an IGES file, or the reason there is none.
template <typename Reader>
QString transfer(Reader& reader, const QString& path, Handle(TDocStd_Document) & document,
                 Progress& progress, QString& unit) {
    reader.SetColorMode(true);
    reader.SetNameMode(true);
    if (reader.ReadFile(QFile::encodeName(path).constData()) != IFSelect_RetDone) {
        return QObject::tr("it cannot be read as a CAD file");
    }
    if (const QString fault = first_fault(session_of(reader)); !fault.isEmpty()) {
        return fault;
    }
    unit = unit_of(reader);
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    if (!reader.Transfer(document, progress.Start())) {
        return progress.stopped() ? QString() : QObject::tr("its shapes cannot be read");
    }
    return {};
}

bool is_iges(const QString& path) {
    const QString ending = QFileInfo(path).suffix().toLower();
    return ending == QLatin1String("iges") || ending == QLatin1String("igs");
}
} // namespace

void prepare_cad_reading() {
    STEPCAFControl_Controller::Init();
    IGESControl_Controller::Init();
    // Millimetres, whatever the file's unit.
    Interface_Static::SetCVal("xstep.cascade.unit", "MM");
}

ModelReading read_cad(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    Handle(Progress) told = new Progress(progress);
    Handle(TDocStd_Document) document;
    QString unit;
    try {
        if (is_iges(path)) {
            IGESCAFControl_Reader reader;
            reading.error = transfer(reader, path, document, *told, unit);
        } else {
            STEPCAFControl_Reader reader;
            reading.error = transfer(reader, path, document, *told, unit);
        }
    } catch (const Standard_Failure& failure) {
        reading.error = quoted_text(failure.GetMessageString());
    }
    if (told->stopped()) {
        reading.cancelled = true;
        reading.error.clear();
        return reading;
    }
    if (!reading.error.isEmpty()) {
        return reading;
    }
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
    TDF_LabelSequence roots;
    shapes->GetFreeShapes(roots);
    if (roots.IsEmpty()) {
        reading.error = QObject::tr("it holds no shape");
        return reading;
    }
    ModelBuilder builder;
    try {
        mesh_shapes(shapes, roots);
        AssemblyWalk walk(shapes, XCAFDoc_DocumentTool::ColorTool(document->Main()), builder);
        for (const TDF_Label& root : roots) {
            walk.add(root, TopLoc_Location(), Model::default_colour, 0);
        }
        finish_reading(reading, builder, QFileInfo(path).fileName());
        if (reading.model) {
            reading.model->parts = walk.parts;
            reading.model->faces = walk.faces;
            reading.model->unit = unit;
        }
    } catch (const Standard_Failure& failure) {
        reading.error = quoted_text(failure.GetMessageString());
    }
    XCAFApp_Application::GetApplication()->Close(document);
    return reading;
}

void tarvik_prepare_cad_reading() {
    prepare_cad_reading();
}

void tarvik_read_cad(const QString* path, const ReadProgress* progress, ModelReading* reading) {
    *reading = read_cad(*path, *progress);
}
