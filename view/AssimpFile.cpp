#include "AssimpFile.h"

#include <QFileInfo>
#include <QObject>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace {
// Hands assimp's progress on, and its answer back: false stops it.
class Progress : public Assimp::ProgressHandler {
public:
    explicit Progress(const ReadProgress& progress)
        : progress_(progress) {}
    bool Update(float share) override {
        stopped_ = stopped_ || (progress_ && !progress_(std::clamp(double(share), 0.0, 1.0)));
        return !stopped_;
    }
    bool stopped() const { return stopped_; }

private:
    const ReadProgress& progress_;
    bool stopped_ = false;
};

Model::Point point_of(const aiVector3D& v) {
    return {v.x, v.y, v.z};
}

// Every triangle of every mesh, placed where its nodes put it.
void add_meshes(const aiScene& scene, ModelBuilder& builder) {
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices == 3) {
                builder.add_triangle(point_of(mesh.mVertices[face.mIndices[0]]),
                                     point_of(mesh.mVertices[face.mIndices[1]]),
                                     point_of(mesh.mVertices[face.mIndices[2]]));
            }
        }
    }
}
} // namespace

ModelReading read_with_assimp(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    Assimp::Importer importer;
    auto* handler = new Progress(progress);
    importer.SetProgressHandler(handler); // the importer owns it
    // Polygons become triangles, the nodes' placements are applied, and
    // points and lines come apart from the triangles.
    const aiScene* scene = importer.ReadFile(
        QFile::encodeName(path).toStdString(),
        aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_SortByPType);
    if (handler->stopped()) {
        reading.cancelled = true;
        return reading;
    }
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
        const QString reason = QString::fromUtf8(importer.GetErrorString()).trimmed();
        reading.error =
            reason.isEmpty() ? QObject::tr("it cannot be read") : quoted_text(reason.toUtf8());
        return reading;
    }
    ModelBuilder builder;
    add_meshes(*scene, builder);
    importer.FreeScene();
    if (builder.triangles_read() == 0) {
        reading.error = QObject::tr("it holds no triangle");
    } else if (!builder.has_surface()) {
        reading.error = QObject::tr("it has no surface");
    } else {
        reading.model = builder.finish(QFileInfo(path).fileName());
    }
    return reading;
}
