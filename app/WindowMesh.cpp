// The picture of the model on screen: its SAP2000 objects as read, or, with
// View > Analysis mesh, the analysis model the full conversion writes
// (frames split at joints and into segments, areas divided into elements).
// The analysis model is made on a worker when it is first asked for, once
// per model on screen; until it is ready the objects stay in the picture.
#include "app/AnalysisPicture.h"
#include "app/ModelView.h"
#include "app/frmCorvaneMain.h"

#include <QAction>
#include <QLabel>

namespace corvane {

void frmCorvaneMain::ShowPicture(bool newModel) {
    const bool meshed = meshAction_ && meshAction_->isChecked();
    const bool ready = meshed && meshPicture_ && meshTicket_ == modelTicket_;
    if (meshed && !ready && objectsPicture_) MakeAnalysisPicture();
    modelView_->setNote(meshed && meshAsked_ == modelTicket_ ? "Meshing\u2026" : "");
    if (!objectsPicture_) {
        modelView_->clear();
        return;
    }
    const std::shared_ptr<const PictureModel>& shown = ready ? meshPicture_ : objectsPicture_;
    if (newModel) modelView_->setModel(shown);
    else if (modelView_->view().Model() != shown) modelView_->replaceModel(shown);
    if (ready && !busy())
        lblStatus_->setText(QString("Analysis mesh: %1 joints, %2 members, %3 shell elements")
                                .arg(shown->JointCount())
                                .arg(shown->MemberCount())
                                .arg(shown->ShellCount()));
}

void frmCorvaneMain::MakeAnalysisPicture() {
    if (meshAsked_ == modelTicket_) return;  // on its way
    meshAsked_ = modelTicket_;
    if (!meshWorker_) {
        meshWorker_ = std::make_unique<AnalysisPictureWorker>(
            [this](std::uint64_t ticket, std::shared_ptr<const PictureModel> picture, std::string failure) {
                QMetaObject::invokeMethod(
                    this,
                    [this, ticket, picture = std::move(picture), failure = std::move(failure)]() mutable {
                        AnalysisPictureReady(ticket, std::move(picture), failure);
                    },
                    Qt::QueuedConnection);
            });
    }
    meshWorker_->Request(shownInput_, modelTicket_);
}

void frmCorvaneMain::AnalysisPictureReady(std::uint64_t ticket, std::shared_ptr<const PictureModel> picture, const std::string& failure) {
    if (ticket == meshAsked_) meshAsked_ = 0;
    if (ticket != modelTicket_) return;  // made for a model no longer on screen
    if (!picture || picture->JointCount() == 0) {
        modelView_->setNote("");
        // The objects stay; turning the mesh off and on tries again.
        if (!busy())
            lblStatus_->setText("No analysis mesh: " +
                                QString::fromStdString(failure.empty() ? "the analysis model has no joints" : failure));
        return;
    }
    meshPicture_ = std::move(picture);
    meshTicket_ = ticket;
    if (meshAction_->isChecked()) ShowPicture(false);
}

}  // namespace corvane
